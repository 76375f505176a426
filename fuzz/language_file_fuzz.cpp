// Reads arbitrary translation file text, writes it out as a template under
// its own display name and reads the template back: the table must come
// back the same, and the table's keys must keep the reader's rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_text.h"
#include "i18n/core/language_file.h"
#include "i18n/core/translation.h"

namespace {

void CheckKeys(const TranslationTable& table) {
    for (const auto& [key, translation] : table) {
        Check(!key.empty() && key.front() != u'#');
        Check(key.find(u'=') == std::u16string::npos && key.find(u'\n') == std::u16string::npos);
        Check(translation.find(u'\n') == std::u16string::npos);
        Check(translation.empty() || translation.back() != u'\r');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromInput(data, size);
    TranslationTable first;
    ParseLanguageFile(text, first);
    CheckKeys(first);

    const auto name = first.find(std::u16string(kLanguageNameKey));
    const std::u16string displayName = name != first.end() ? name->second : u"?";
    const auto write = [&displayName](const TranslationTable& table) {
        return FormatLanguageTemplate(table, displayName);
    };
    TranslationTable expected = first;
    expected[std::u16string(kLanguageNameKey)] = displayName;
    CheckReadsBack(write(first), TranslationTable{}, expected, ParseLanguageFile, write);

    // The file names and the saved code are text from outside too.
    const std::u16string code = LanguageCodeFromFileName(text);
    Check(code.empty() || code.size() + 9 == text.size());
    Check(SavedLanguageCode(text).size() <= text.size());
    return 0;
}

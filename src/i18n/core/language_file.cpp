#include "i18n/core/language_file.h"

#include "i18n/core/built_in_french.h"

namespace {

constexpr char16_t kByteOrderMark = u'\uFEFF';
constexpr char16_t kCommentStart = u'#';
constexpr char16_t kKeySeparator = u'=';
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kTemplateComment =
    u"# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction";

constexpr std::u16string_view kFileNamePrefix = u"lang_";
constexpr std::u16string_view kFileNameSuffix = u".txt";

// The primary language is the low 10 bits of a language id.
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kPrimaryLanguageFrench = 0x0C;

struct MergedKey {
    std::u16string_view old;
    std::u16string_view kept;
};

// Keys that once named the same text as another one, written without its
// accents. A file that still uses the old key translates the kept one.
constexpr MergedKey kMergedKeys[] = {
    {u"Desancrer toutes les notes", u"Désancrer toutes les notes"},
};

std::u16string_view KeptKey(std::u16string_view key) {
    for (const MergedKey& merged : kMergedKeys) {
        if (key == merged.old) return merged.kept;
    }
    return key;
}

std::u16string_view WithoutTrailingCarriageReturns(std::u16string_view line) {
    while (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    return line;
}

void ApplyLine(std::u16string_view line, TranslationTable& table) {
    if (line.empty() || line.front() == kCommentStart) return;
    const std::size_t separator = line.find(kKeySeparator);
    // An empty key would never be looked up; it is not worth a table entry.
    if (separator == std::u16string_view::npos || separator == 0) return;
    table[std::u16string(KeptKey(line.substr(0, separator)))] = std::u16string(line.substr(separator + 1));
}

bool IsValidIndex(const LanguageList& languages, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < languages.size();
}

}  // namespace

void ParseLanguageFile(const std::u16string& text, TranslationTable& table) {
    std::u16string_view all = text;
    if (!all.empty() && all.front() == kByteOrderMark) all.remove_prefix(1);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t lineFeed = all.find(u'\n', start);
        const std::size_t end = lineFeed == std::u16string_view::npos ? all.size() : lineFeed;
        ApplyLine(WithoutTrailingCarriageReturns(all.substr(start, end - start)), table);
        if (lineFeed == std::u16string_view::npos) break;
        start = lineFeed + 1;
    }
}

std::u16string FormatLanguageTemplate(const TranslationTable& table,
                                      const std::u16string& displayName) {
    std::u16string out(kTemplateComment);
    out += kLineBreak;
    out += kLanguageNameKey;
    out.push_back(kKeySeparator);
    out += displayName;
    out += kLineBreak;
    for (const auto& [key, translation] : table) {
        if (key == kLanguageNameKey) continue;
        out += key;
        out.push_back(kKeySeparator);
        out += translation;
        out += kLineBreak;
    }
    return out;
}

TranslationTable FrenchTemplateTable() {
    TranslationTable french;
    FillBuiltInFrench(french);
    french.erase(std::u16string(kLanguageNameKey));
    return french;
}

void AddFileTranslations(const TranslationTable& file, TranslationTable& table) {
    for (const auto& [key, translation] : file) {
        if (translation.empty() || translation == key) continue;
        table[key] = translation;
    }
}

std::u16string LanguageFileName(const std::u16string& code) {
    return std::u16string(kFileNamePrefix) + code + std::u16string(kFileNameSuffix);
}

std::u16string LanguageFilePattern() {
    return LanguageFileName(u"*");
}

std::u16string LanguageCodeFromFileName(std::u16string_view fileName) {
    const std::size_t affixes = kFileNamePrefix.size() + kFileNameSuffix.size();
    if (fileName.size() <= affixes) return {};
    return std::u16string(fileName.substr(kFileNamePrefix.size(), fileName.size() - affixes));
}

std::u16string SavedLanguageCode(std::u16string_view text) {
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
        text.remove_suffix(1);
    }
    return std::u16string(text);
}

std::u16string StartLanguage(const std::u16string& savedCode, std::uint16_t uiLanguageId) {
    if (!savedCode.empty()) return savedCode;
    const bool frenchInterface = (uiLanguageId & kPrimaryLanguageMask) == kPrimaryLanguageFrench;
    return std::u16string(frenchInterface ? kFrenchCode : kEnglishCode);
}

LanguageList BuiltInLanguages() {
    return {
        {std::u16string(kFrenchCode), u"Français"},
        {std::u16string(kEnglishCode), u"English"},
    };
}

std::u16string LanguageDisplayName(const TranslationTable& fileTable, const std::u16string& code) {
    const auto found = fileTable.find(std::u16string(kLanguageNameKey));
    return found != fileTable.end() ? found->second : code;
}

void AddLanguage(LanguageList& languages, const std::u16string& code,
                 const std::u16string& displayName) {
    for (LanguageEntry& entry : languages) {
        if (entry.code == code) {
            entry.displayName = displayName;
            return;
        }
    }
    languages.push_back({code, displayName});
}

int LanguageIndexOf(const LanguageList& languages, const std::u16string& code) {
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (languages[i].code == code) return static_cast<int>(i);
    }
    return 0;
}

std::u16string LanguageCodeAt(const LanguageList& languages, int index) {
    if (!IsValidIndex(languages, index)) return std::u16string(kFrenchCode);
    return languages[static_cast<std::size_t>(index)].code;
}

std::u16string LanguageNameAt(const LanguageList& languages, int index) {
    if (!IsValidIndex(languages, index)) return {};
    return languages[static_cast<std::size_t>(index)].displayName;
}

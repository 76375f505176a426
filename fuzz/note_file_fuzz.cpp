// Reads arbitrary note file text, writes the result back out and reads it
// again: every value the file format stores must survive the second trip.
// The same text is read as a note file's name too: a name taken for one the
// program wrote must be the name of the id read from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/rect.h"
#include "fuzz_text.h"
#include "storage/core/note_file.h"
#include "storage/core/note_record.h"

namespace {

// Pieces of the file format, each starting a line, that random byte changes
// would hardly ever spell out in UTF-16.
constexpr std::u16string_view kFormatTokens[] = {
    u"\nX=",     u"\nY=",      u"\nW=",   u"\nH=",    u"\nCOLOR=",    u"\nCOLOR=#",
    u"\nCAT=",   u"\nSUBCAT=", u"\nPIN=", u"\nDOCK=", u"\nLASTDOCK=", u"\nTYPE=",
    u"\nENTRY|", u"\n---\r\n", u"\r\n",   u"|",       u"-",           u"9999999999",
};

std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

Rect RectFromFields(const NoteFields& fields) {
    return Rect{fields.x, fields.y, WrappingSum(fields.x, fields.width),
                WrappingSum(fields.y, fields.height)};
}

std::u16string LowerCaseAscii(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

// Only a name the program could have written is trusted with its id: the
// same name, letter case aside, comes from that id. Every id's name is
// trusted and gives the id back, in either letter case.
void CheckFileName(const std::u16string& name) {
    const std::uint64_t id = NoteIdFromFileName(name);
    const std::u16string written = NoteFileName(id);
    if (IsCanonicalNoteFileName(name)) Check(LowerCaseAscii(written) == LowerCaseAscii(name));
    Check(IsCanonicalNoteFileName(written) && NoteIdFromFileName(written) == id);
    const std::u16string lowerCase = LowerCaseAscii(written);
    Check(IsCanonicalNoteFileName(lowerCase) && NoteIdFromFileName(lowerCase) == id);
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int randomSeed) {
    return MutateWithFormatTokens(kFormatTokens, data, size, maxSize, randomSeed);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromBytes(data, size);
    CheckFileName(text);

    NoteFields first = DefaultNoteFields();
    ParseNoteFile(text, first);

    // What the parser gives is always in range.
    Check(first.dock >= 0 && first.dock <= 3);
    Check(first.lastDock >= 0 && first.lastDock <= 3);
    Check(first.type >= 0 && first.type <= 2);
    Check((first.colour & 0xFF000000) == 0);
    for (const NoteEntry& entry : first.entries) Check(entry.due != 0 || !entry.text.empty());

    const std::u16string written =
        FormatNoteFile(first, RectFromFields(first), first.body);
    NoteFields second = DefaultNoteFields();
    ParseNoteFile(written, second);

    Check(second == first);

    // Writing is deterministic: the re-read note writes the very same text.
    Check(FormatNoteFile(second, RectFromFields(second), second.body) == written);

    SortEntries(second.entries);
    return 0;
}

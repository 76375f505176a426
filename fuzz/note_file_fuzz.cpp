// Reads arbitrary note file text, writes the result back out and reads it
// again: every value the file format stores must survive the second trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_text.h"
#include "storage/note_file.h"
#include "storage/note_record.h"
#include "storage/rect.h"

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

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int randomSeed) {
    return MutateWithFormatTokens(kFormatTokens, data, size, maxSize, randomSeed);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NoteFields first = DefaultNoteFields();
    ParseNoteFile(TextFromBytes(data, size), first);

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

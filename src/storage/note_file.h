// The note file: one text file per note, a header of KEY=value lines, one
// ENTRY line per dated entry, a "---" separator, then the free text verbatim.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/note_record.h"
#include "storage/rect.h"

// What a note file states. The members start at the load defaults, the values
// a note gets for everything its file does not state.
struct NoteFields {
    std::int32_t x = 120;
    std::int32_t y = 120;
    std::int32_t width = 240;
    std::int32_t height = 200;
    ColourRef colour = kDefaultNoteColour;
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;
    std::int32_t pinned = 0;
    std::int32_t dock = kDockNone;
    std::int32_t lastDock = kDockNone;
    std::int32_t type = kNoteRegular;
    std::vector<NoteEntry> entries;
    std::u16string body;

    bool operator==(const NoteFields&) const = default;
};

NoteFields DefaultNoteFields();

// Overwrites only what the text states (the body is always replaced). Entries
// are appended in file order, unsorted.
void ParseNoteFile(const std::u16string& text, NoteFields& fields);

// The whole file text: header from the note and its floating rectangle, the
// entry lines in list order, the separator, then the body as it is.
std::u16string FormatNoteFile(const Note& note, const Rect& floatingRect,
                              const std::u16string& body);

// "note_" + the id as 16 upper-case hex digits + ".txt".
std::u16string NoteFileName(std::uint64_t id);

// The hex number after "note_", up to the first non-hex character; 0 if none.
std::uint64_t NoteIdFromFileName(std::u16string_view fileName);

// True only for names NoteFileName could have produced (hex digits in either
// case, "note_" and ".txt" in any case): the only files whose id is reliable
// enough to overwrite or delete.
bool IsCanonicalNoteFileName(std::u16string_view fileName);

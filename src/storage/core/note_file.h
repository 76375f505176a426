// The note file: one text file per note, a header of KEY=value lines, one
// ENTRY line per dated entry, a "---" separator, then the free text verbatim.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/rect.h"
#include "storage/core/note_record.h"

NoteFields DefaultNoteFields();

// Overwrites only what the text states (the body is always replaced). Entries
// are appended in file order, unsorted.
void ParseNoteFile(const std::u16string& text, NoteFields& fields);

// The whole file text: header from the note and its floating rectangle, the
// entry lines in list order, the separator, then the body as it is.
std::u16string FormatNoteFile(const NoteProperties& note, const Rect& floatingRect,
                              const std::u16string& body);

// "note_" + the id as 16 upper-case hex digits + ".txt".
std::u16string NoteFileName(std::uint64_t id);

// The hex number after "note_", up to the first non-hex character; 0 if none.
std::uint64_t NoteIdFromFileName(std::u16string_view fileName);

// True only for names NoteFileName could have produced (hex digits in either
// case, "note_" and ".txt" in any case): the only files whose id is reliable
// enough to overwrite or delete.
bool IsCanonicalNoteFileName(std::u16string_view fileName);

// The copies a sync service keeps of a file that two machines changed at
// once: it keeps one version under the file's own name and the other under
// a name of its own, beside it.
//   Syncthing:  note_<id>.sync-conflict-20261209-101500-ABCDEFG.txt
//   Dropbox:    note_<id> (Bob's conflicted copy 2026-12-09).txt
//   OneDrive:   note_<id>-HOMEPC.txt
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The id of the note file whose clash copy this is ("note_" + 16 hex digits
// and one of the three shapes above, any letter case); nothing for any other
// name, the note file's own name included.
std::optional<std::uint64_t> NoteClashCopyId(std::u16string_view fileName);

// True for a clash copy of "categories.txt" in one of the three shapes.
bool IsCategoriesClashCopy(std::u16string_view fileName);

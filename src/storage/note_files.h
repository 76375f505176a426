// Note identity and the place of each note's file on disk.
#pragma once

#include <cstdint>
#include <string>

// The system time in 100-nanosecond units plus a per-run counter, so that two
// notes made within one clock tick still get different ids.
std::uint64_t NewNoteId();

// NotesDirectory() + "\note_<16 hex digits>.txt".
std::u16string NoteFilePath(std::uint64_t id);

// Removes a note's file; a file that is already gone is fine.
void DeleteNoteFile(std::uint64_t id);

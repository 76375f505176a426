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

// A note file's text as the note shows it; a byte-order mark decides between
// UTF-8 and UTF-16, and NUL characters show as U+2400. When that text would
// not write back as the very bytes the file holds (UTF-16 from another
// editor, NULs, invalid UTF-8), the bytes are first kept in a copy beside
// it, named after it with ".original" (".original-2" and so on when an older
// copy differs), which no note file name matches. False when the file cannot
// be read or such a copy cannot be made: the file is then best left alone.
bool ReadStoredNoteText(const std::u16string& path, std::u16string& text);

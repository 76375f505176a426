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

// A note file's text as the note shows it, and whether writing that text
// back gives the very bytes the file holds. It does not for a file saved as
// UTF-16 by another editor, one holding NUL characters (shown as U+2400) or
// invalid UTF-8: the first save would change them.
struct StoredNoteText {
    std::u16string text;
    bool exact = true;
};

// False when the file cannot be read; a byte-order mark decides between
// UTF-8 and UTF-16.
bool ReadStoredNoteText(const std::u16string& path, StoredNoteText& result);

// Keeps a note file's bytes in a copy beside it, named after it with
// ".original" (".original-2" and so on when an older copy differs), which no
// note file name matches. True when such a copy of the current bytes exists.
bool KeepOriginalNoteFile(const std::u16string& path);

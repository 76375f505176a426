// Note identity and the place of each note's file on disk.
#pragma once

#include <cstdint>
#include <string>

#include "storage/core/file_version.h"

// The system time in 100-nanosecond units plus a per-run counter, so that two
// notes made within one clock tick still get different ids.
std::uint64_t NewNoteId();

// NotesDirectory() + "\note_<16 hex digits>.txt".
std::u16string NoteFilePath(std::uint64_t id);

// Removes a note's file; true when it is gone (a file that was already gone
// is fine). A failure is recorded (win/failure_log.h).
[[nodiscard]] bool DeleteNoteFile(std::uint64_t id);

// A note file as it was read: its text as the note shows it, and whether
// that text writes back as the very bytes the file holds.
struct StoredNoteText {
    std::u16string text;
    bool writesBackExactly = true;
    std::string bytes;    // the file's bytes
    FileVersion version;  // the version they were read at
};

// Reads a note file without changing anything: a byte-order mark decides
// between UTF-8 and UTF-16, and NUL characters show as U+2400. False when
// the file cannot be read.
[[nodiscard]] bool ReadStoredNoteText(const std::u16string& path, StoredNoteText& stored);

// A note file's bytes as the note shows them (see ReadStoredNoteText), and
// whether that text writes back as the very same bytes.
StoredNoteText NoteTextFromBytes(std::string bytes);

// Keeps a note file's bytes in a copy beside it before a save may change
// them (UTF-16 from another editor, NULs, invalid UTF-8): named after it with
// ".original" (".original-2" and so on when an older copy differs), which no
// note file name matches. True when such a copy exists now; false when none
// could be made, and the file is then best left alone.
[[nodiscard]] bool KeepOriginalBytes(const std::u16string& path, const std::string& bytes);

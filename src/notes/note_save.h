// Writing one note's file from its window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "notes/note_window_state.h"

// Writes the note file from the window (floating rectangle, fields, entries,
// edit text), or takes it away (into the bin when it held something) when
// the note is blank, floating and has no entries. Does nothing for a deleted note, a window without one, or a note
// whose edit is missing (its text cannot be known). When the file cannot be
// written the note records it (saveFailed, saveError) and shows it in its
// header; the text stays in the window, and the next save tries again.
// Nothing is written when the file already holds these very bytes; and when
// the file is no longer the version this program last read or wrote (a sync
// service or an editor changed it), the registered file-changed handler
// decides instead, so that no outside change is written over.
void SaveNote(HWND noteWindow);

// What a save would write now: the file's bytes, empty for a note that has
// no file (blank, floating, no entries); nothing when its edit is missing.
std::optional<std::string> NoteFileBytes(HWND noteWindow);

// The note no longer has a file known to this program (deleted, or taken
// by a new id).
void ForgetFile(NoteWindowState& state);

// True when the note's last save could not reach the disk.
bool NoteSaveFailed(HWND noteWindow);

// True when the note's edit holds nothing but NUL and white space; false
// when there is no edit.
bool IsNoteBlank(HWND noteWindow);

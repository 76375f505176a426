// Writing one note's file from its window.
#pragma once

#include <windows.h>

// Writes the note file from the window (floating rectangle, fields, entries,
// edit text), or deletes it when the note is blank, floating and has no
// entries. Does nothing for a deleted note, a window without one, or a note
// whose edit is missing (its text cannot be known). When the file cannot be
// written the note records it (saveFailed, saveError) and shows it in its
// header; the text stays in the window, and the next save tries again.
void SaveNote(HWND noteWindow);

// True when the note's last save could not reach the disk.
bool NoteSaveFailed(HWND noteWindow);

// True when the note's edit holds nothing but NUL and white space; false
// when there is no edit.
bool IsNoteBlank(HWND noteWindow);

// Writing one note's file from its window.
#pragma once

#include <windows.h>

// Writes the note file from the window (floating rectangle, fields, entries,
// edit text), or deletes it when the note is blank, floating and has no
// entries. Does nothing for a deleted note, a window without one, or a note
// whose edit is missing (its text cannot be known).
void SaveNote(HWND noteWindow);

// True when the note's edit holds nothing but NUL and white space; false
// when there is no edit.
bool IsNoteBlank(HWND noteWindow);

// Writing one note's file from its window.
#pragma once

#include <windows.h>

// Writes the note file from the window (floating rectangle, fields, entries,
// edit text), or deletes it when the note is blank, floating and has no
// entries. Does nothing for a deleted note or a window without one.
void SaveNote(HWND noteWindow);

// True when the note's edit holds nothing but NUL and white space.
bool IsNoteBlank(HWND noteWindow);

// Removing a note with its file: asked for by the user, or silently when a
// move left it blank.
#pragma once

#include <windows.h>

// The user's "delete this note": asks unless the note is blank without entries.
void DeleteNote(HWND noteWindow);

// Removes the note with its file, without asking, when it is blank, floating
// and without entries.
void DiscardNoteIfBlank(HWND noteWindow);

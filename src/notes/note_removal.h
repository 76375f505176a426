// Removing a note: asked for by the user, or silently when a move left it
// blank. Its file goes into the bin (storage/note_bin.h), with the text the
// window showed; a file that holds nothing is deleted.
#pragma once

#include <windows.h>

// The user's "delete this note": asks unless the note is blank without entries.
void DeleteNote(HWND noteWindow);

// Removes the note, its file into the bin, without asking, when it is blank, floating
// and without entries.
void DiscardNoteIfBlank(HWND noteWindow);

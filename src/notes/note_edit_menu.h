// The context menu of a regular note's edit control, which offers to turn
// the line under the cursor into a dated entry.
#pragma once

#include <windows.h>

// Subclasses the note's edit (subclass id 1) so that its context menu is
// the note's "Convertir en tache cedulee…" menu instead of the standard
// edit menu. The subclass removes itself when the edit is destroyed.
void InstallNoteEditMenu(HWND edit, HWND noteWindow);

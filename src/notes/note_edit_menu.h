// The context menu of a regular note's edit control, which offers to turn
// the line under the cursor into a dated entry.
#pragma once

#include <windows.h>

// Puts a window procedure in front of the note's edit (the note is its
// parent) so that its context menu is the note's "Convertir en tache
// cedulee…" menu instead of the standard edit menu.
void InstallNoteEditMenu(HWND edit);

// The context menu of a regular note's edit control: the usual edit
// commands, and the note's own offer to turn the line under the cursor into
// a dated entry.
#pragma once

#include <windows.h>

// Puts a window procedure in front of the note's edit (the note is its
// parent) so that its context menu is drawn in the note's colours and ends
// with "Convertir en tâche cédulée…".
void InstallNoteEditMenu(HWND edit);

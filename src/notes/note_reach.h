// Keeping notes where the user can reach them: a note stored on a monitor
// that has since been removed, or in a file from another machine, would
// otherwise be invisible.
#pragma once

#include <windows.h>

// A floating note that lies wholly off every monitor moves into the nearest
// work area (its file takes the new place at its next save); a note partly
// on a screen stays where it is. A docked note is laid out again along its
// edge of the current work area.
void BringNoteIntoReach(HWND noteWindow);

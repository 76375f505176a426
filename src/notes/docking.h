// Docking a note as a 6-pixel strip against the left, top or right edge of
// its monitor's work area, and restoring it.
#pragma once

#include <windows.h>

#include <cstdint>

// Docks a note to edge 1 (left), 2 (top) or 3 (right) and saves it. Docking
// again to the same edge changes nothing.
void DockNote(HWND noteWindow, std::int32_t edge);

// Restores a docked note to its floating rectangle (repaired onto the nearest
// work area when it no longer overlaps one) and saves it. A note undocked
// for a moment stays floating for good.
void UndockNote(HWND noteWindow);

// Shows a strip as its floating note for a moment (to show the user what a
// search found) and activates it. It docks again to the same edge when it
// loses the activation to a window that is not its own (a dialog it opened
// does not count); its file keeps it docked all along. Does nothing to a
// note that is not docked.
void UndockForAMoment(HWND noteWindow);

// True while the note is undocked for a moment.
bool IsUndockedForAMoment(HWND noteWindow);

// The note's WM_ACTIVATE with WA_INACTIVE: a note undocked for a moment
// docks again, unless `activated` (the window that takes the activation,
// possibly null) is owned by the note.
void RedockAfterAMoment(HWND noteWindow, HWND activated);

// Places an already docked note as its strip, always on top.
void ApplyDockGeometry(HWND noteWindow, std::int32_t edge);

// At the end of a drag: docks the note when it was dropped near an edge;
// undocking then brings it back to where the drag started.
void DockSnap(HWND noteWindow, const RECT& startRect);

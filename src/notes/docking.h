// Docking a note as a 6-pixel strip against the left, top or right edge of
// its monitor's work area, and restoring it.
#pragma once

#include <windows.h>

#include <cstdint>

// Docks a note to edge 1 (left), 2 (top) or 3 (right) and saves it. Docking
// again to the same edge changes nothing.
void DockNote(HWND noteWindow, std::int32_t edge);

// Restores a docked note to its floating rectangle (repaired onto the nearest
// work area when it no longer overlaps one) and saves it.
void UndockNote(HWND noteWindow);

// Places an already docked note as its strip, always on top.
void ApplyDockGeometry(HWND noteWindow, std::int32_t edge);

// At the end of a drag: docks the note when it was dropped near an edge;
// undocking then brings it back to where the drag started.
void DockSnap(HWND noteWindow, const RECT& startRect);

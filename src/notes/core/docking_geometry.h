// Where a docked note's strip lies, which edge a dropped note snaps to, and
// where a floating rectangle goes back on undocking. Screen rectangles in,
// screen rectangles out; the caller supplies the monitor's work area.
#pragma once

#include <cstdint>

#include "base/rect.h"
#include "storage/core/note_record.h"

constexpr std::int32_t kDockStripThickness = 6;
constexpr std::int32_t kDockSnapDistance = 8;
constexpr std::int32_t kUndockRepairOffset = 20;

// True for Left, Top and Right; false for none and any stored junk.
bool IsDockEdge(std::int32_t edge);

// The strip of a note docked at `edge`, taken from its floating rectangle:
// Left and Right give a vertical strip, Top and any other value a horizontal
// one. The strip never reaches outside the work area along its edge.
Rect StripRect(const Rect& undocked, const Rect& workArea, std::int32_t edge);

// The edge a note dropped at `dropped` docks to, or kDockNone. The bottom
// edge never docks.
DockEdge SnapEdge(const Rect& dropped, const Rect& workArea);

// The edge closest to the window; ties go to Left over Right and to a side
// over Top.
DockEdge NearestEdge(const Rect& window, const Rect& workArea);

// The edge "dock all" uses for a floating note: its last edge when that is a
// dock edge, else the nearest one.
DockEdge DockAllEdge(DockEdge lastDock, const Rect& window, const Rect& workArea);

// A floating rectangle that no longer overlaps the work area moves to 20, 20
// inside it with its size kept; any other rectangle comes back unchanged.
Rect RepairUndockedRect(const Rect& undocked, const Rect& workArea);

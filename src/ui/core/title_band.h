// The title band every note and dialog of the program shares: 30 pixels
// high, with a close cross near its right end. Client pixels, never scaled.
#pragma once

#include <array>

#include "base/rect.h"

constexpr int kTitleBandHeight = 30;
constexpr int kCrossPenWidth = 2;

struct LineSegment {
    Point from;
    Point to;
    bool operator==(const LineSegment&) const = default;
};

// Where a click closes (a dialog) or deletes (a note), right and bottom exclusive.
Rect CloseCrossBox(int clientWidth);

// The two strokes of the cross, drawn inside (w − 17, 11)–(w − 9, 19).
std::array<LineSegment, 2> CloseCrossLines(int clientWidth);

// True when a client point lies in CloseCrossBox.
bool IsOnCloseCross(Point client, int clientWidth);

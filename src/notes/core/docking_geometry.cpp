#include "notes/core/docking_geometry.h"

#include <algorithm>
#include <limits>

namespace {

// Rectangles can come from a note file and hold any 32-bit values, so the
// arithmetic runs in 64 bits and is narrowed only at the end.
using Wide = std::int64_t;

std::int32_t Narrow(Wide value) {
    return static_cast<std::int32_t>(
        std::clamp<Wide>(value, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max()));
}

Wide Span(std::int32_t from, std::int32_t to) { return std::max<Wide>(0, Wide{to} - from); }

// Start of a run of `length` that begins no earlier than `start` and no
// earlier than `low`, moved back so that it ends by `high`.
Wide PlaceAlong(std::int32_t start, Wide length, std::int32_t low, std::int32_t high) {
    Wide placed = std::max<Wide>(start, low);
    if (placed + length > high) {
        placed = high - length;
    }
    return placed;
}

Rect MakeRect(Wide left, Wide top, Wide right, Wide bottom) {
    return Rect{Narrow(left), Narrow(top), Narrow(right), Narrow(bottom)};
}

Rect VerticalStrip(const Rect& undocked, const Rect& workArea, std::int32_t edge) {
    const Wide height = std::min(Span(undocked.top, undocked.bottom),
                                 Span(workArea.top, workArea.bottom));
    const Wide top = PlaceAlong(undocked.top, height, workArea.top, workArea.bottom);
    const Wide left = edge == kDockLeft ? Wide{workArea.left}
                                        : Wide{workArea.right} - kDockStripThickness;
    return MakeRect(left, top, left + kDockStripThickness, top + height);
}

Rect HorizontalStrip(const Rect& undocked, const Rect& workArea) {
    const Wide width = std::min(Span(undocked.left, undocked.right),
                                Span(workArea.left, workArea.right));
    const Wide left = PlaceAlong(undocked.left, width, workArea.left, workArea.right);
    const Wide top = workArea.top;
    return MakeRect(left, top, left + width, top + kDockStripThickness);
}

bool Overlaps(const Rect& r, const Rect& workArea) {
    return r.right > workArea.left && r.left < workArea.right && r.bottom > workArea.top &&
           r.top < workArea.bottom;
}

}  // namespace

bool IsDockEdge(std::int32_t edge) {
    return edge == kDockLeft || edge == kDockTop || edge == kDockRight;
}

Rect StripRect(const Rect& undocked, const Rect& workArea, std::int32_t edge) {
    if (edge == kDockLeft || edge == kDockRight) {
        return VerticalStrip(undocked, workArea, edge);
    }
    return HorizontalStrip(undocked, workArea);
}

DockEdge SnapEdge(const Rect& dropped, const Rect& workArea) {
    if (Wide{dropped.left} <= Wide{workArea.left} + kDockSnapDistance) return kDockLeft;
    if (Wide{dropped.right} >= Wide{workArea.right} - kDockSnapDistance) return kDockRight;
    if (Wide{dropped.top} <= Wide{workArea.top} + kDockSnapDistance) return kDockTop;
    return kDockNone;
}

DockEdge NearestEdge(const Rect& window, const Rect& workArea) {
    const Wide toLeft = Wide{window.left} - workArea.left;
    const Wide toRight = Wide{workArea.right} - window.right;
    const Wide toTop = Wide{window.top} - workArea.top;
    if (toTop < toLeft && toTop < toRight) {
        return kDockTop;
    }
    return toLeft <= toRight ? kDockLeft : kDockRight;
}

DockEdge DockAllEdge(DockEdge lastDock, const Rect& window, const Rect& workArea) {
    return IsDockEdge(lastDock) ? lastDock : NearestEdge(window, workArea);
}

Rect RepairUndockedRect(const Rect& undocked, const Rect& workArea) {
    if (Overlaps(undocked, workArea)) {
        return undocked;
    }
    const Wide left = Wide{workArea.left} + kUndockRepairOffset;
    const Wide top = Wide{workArea.top} + kUndockRepairOffset;
    return MakeRect(left, top, left + (Wide{undocked.right} - undocked.left),
                    top + (Wide{undocked.bottom} - undocked.top));
}

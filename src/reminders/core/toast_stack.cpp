#include "reminders/core/toast_stack.h"

#include <algorithm>

namespace {

constexpr std::int64_t kToastMargin = 12;  // from the work area's right and top edges
constexpr std::int64_t kToastGap = 8;      // between two stacked toasts
constexpr std::int64_t kToastPitch = kToastHeight + kToastGap;

// Length of a toast side cut to the room there is; an empty or inverted work
// area leaves no room at all.
std::int32_t SideInside(std::int32_t toastSide, std::int64_t room) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(room, 0, toastSide));
}

// Start of a run of `length` wanted at `desired`, moved back inside
// [begin, end]: the end edge first, then the begin edge, so that the begin
// edge wins should the run not fit. 64-bit, because a work area may lie
// anywhere in the 32-bit plane.
std::int32_t StartInside(std::int64_t desired, std::int64_t length, std::int64_t begin,
                         std::int64_t end) {
    std::int64_t start = std::min(desired, end - length);
    start = std::max(start, begin);
    return static_cast<std::int32_t>(start);
}

}  // namespace

int ToastCapacity(const Rect& workArea) {
    const std::int64_t height = std::int64_t{workArea.bottom} - workArea.top;
    const std::int64_t fit = (height - kToastMargin) / kToastPitch;
    return fit < 1 ? 1 : static_cast<int>(fit);
}

int ToastsToEvict(int currentCount, int capacity) {
    const int toKeep = std::max(capacity, 1) - 1;
    return currentCount > toKeep ? currentCount - toKeep : 0;
}

Rect ToastSlotRect(const Rect& workArea, int slot) {
    const std::int32_t width = SideInside(kToastWidth, std::int64_t{workArea.right} - workArea.left);
    const std::int32_t height = SideInside(kToastHeight, std::int64_t{workArea.bottom} - workArea.top);
    const std::int64_t wantedLeft = std::int64_t{workArea.right} - kToastMargin - kToastWidth;
    const std::int64_t wantedTop = workArea.top + kToastMargin + kToastPitch * std::max(slot, 0);
    const std::int32_t left = StartInside(wantedLeft, width, workArea.left, workArea.right);
    const std::int32_t top = StartInside(wantedTop, height, workArea.top, workArea.bottom);
    return Rect{left, top, left + width, top + height};
}

Point ToastSlotOrigin(const Rect& workArea, int slot) {
    const Rect rect = ToastSlotRect(workArea, slot);
    return Point{rect.left, rect.top};
}

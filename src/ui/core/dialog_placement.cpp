#include "ui/core/dialog_placement.h"

#include <cstdint>

namespace {

// Start of a run of `length` that begins at `start` if it fits before `end`,
// never before `begin`. 64-bit arithmetic: the rectangles may come from a
// file and hold any 32-bit values.
std::int32_t StartInside(std::int32_t start, std::int32_t length, std::int32_t begin, std::int32_t end) {
    std::int64_t result = start;
    if (result + length > end) result = std::int64_t{end} - length;
    if (result < begin) result = begin;
    return static_cast<std::int32_t>(result);
}

}  // namespace

Rect KeepInsideWorkArea(const Rect& desired, const Rect& workArea) {
    const std::int32_t width = desired.Width();
    const std::int32_t height = desired.Height();
    const std::int32_t left = StartInside(desired.left, width, workArea.left, workArea.right);
    const std::int32_t top = StartInside(desired.top, height, workArea.top, workArea.bottom);
    return Rect{left, top, left + width, top + height};
}

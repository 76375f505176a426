#include "ui/core/title_band.h"

namespace {

constexpr int kBoxLeftInset = 22;
constexpr int kBoxRightInset = 4;
constexpr int kBoxTop = 6;
constexpr int kBoxBottom = 24;

constexpr int kCrossLeftInset = 17;
constexpr int kCrossRightInset = 9;
constexpr int kCrossTop = 11;
constexpr int kCrossBottom = 19;

}  // namespace

Rect CloseCrossBox(int clientWidth) {
    return Rect{clientWidth - kBoxLeftInset, kBoxTop, clientWidth - kBoxRightInset, kBoxBottom};
}

std::array<LineSegment, 2> CloseCrossLines(int clientWidth) {
    const int left = clientWidth - kCrossLeftInset;
    const int right = clientWidth - kCrossRightInset;
    return {
        LineSegment{{left, kCrossTop}, {right, kCrossBottom}},
        LineSegment{{right, kCrossTop}, {left, kCrossBottom}},
    };
}

bool IsOnCloseCross(Point client, int clientWidth) {
    const Rect box = CloseCrossBox(clientWidth);
    return box.left <= client.x && client.x < box.right && box.top <= client.y && client.y < box.bottom;
}

#include "notes/core/note_layout.h"

#include <algorithm>
#include <limits>

#include "ui/core/dialog_placement.h"

namespace {

// Header buttons sit in a row from y 6 to 24; the title takes the whole height.
constexpr int kButtonTop = 6;
constexpr int kButtonBottom = 24;

constexpr int kNewNoteLeft = 4;
constexpr int kNewNoteRight = 22;
constexpr int kSwatchLeft = 26;
constexpr int kSwatchRight = 44;
constexpr int kTitleLeft = 50;
constexpr int kTitleRightInset = 100;  // from the right edge
constexpr int kSaveBadgeSize = 16;
constexpr std::int32_t kMostCascadeRounds = 16;  // far past any screen's width
constexpr int kSaveBadgeGap = 6;  // between the badge and the title's text
constexpr int kDockCellsInset = 94;    // left edge of the first dock cell, from the right edge
constexpr int kDockCellWidth = 14;
constexpr int kDockCellCount = 3;
constexpr float kTriangleInset = 4;
constexpr int kTriangleTop = 11;
constexpr int kTriangleBottom = 19;
constexpr int kTriangleMiddle = 15;
constexpr int kPinLeftInset = 46;
constexpr int kPinRightInset = 28;

// Plus sign centred on (13, 15), arms 4 pixels long.
constexpr int kPlusCentreX = 13;
constexpr int kPlusCentreY = 15;
constexpr int kPlusArm = 4;

constexpr int kEditLeft = 4;
constexpr int kEditTop = 30;
constexpr int kEditWidthInset = 8;
constexpr int kEditHeightInset = 34;

constexpr int kPlaceholderInset = 4;
constexpr int kPlaceholderTop = 36;

constexpr std::array<HeaderControl, 8> kLookupOrder = {
    HeaderControl::NewNote,  HeaderControl::Colour,    HeaderControl::Title,
    HeaderControl::DockLeft, HeaderControl::DockTop,   HeaderControl::DockRight,
    HeaderControl::Pin,      HeaderControl::Delete,
};

bool Contains(const Rect& box, Point point) {
    return box.left <= point.x && point.x < box.right && box.top <= point.y &&
           point.y < box.bottom;
}

Rect ButtonBox(int left, int right) { return Rect{left, kButtonTop, right, kButtonBottom}; }

Rect DockCellBox(int cell, int clientWidth) {
    const int left = clientWidth - kDockCellsInset + kDockCellWidth * cell;
    return ButtonBox(left, left + kDockCellWidth);
}

NoteHit ResizeEdgeAt(Point client, int clientWidth, int clientHeight) {
    const bool top = client.y < kResizeEdge;
    const bool bottom = client.y >= clientHeight - kResizeEdge;
    const bool left = client.x < kResizeEdge;
    const bool right = client.x >= clientWidth - kResizeEdge;
    if (top && left) return NoteHit::TopLeft;
    if (top && right) return NoteHit::TopRight;
    if (left) return bottom ? NoteHit::BottomLeft : NoteHit::Left;
    if (right) return bottom ? NoteHit::BottomRight : NoteHit::Right;
    if (top) return NoteHit::Top;
    if (bottom) return NoteHit::Bottom;
    return NoteHit::Client;
}

}  // namespace

HeaderControl HeaderControlAt(Point client, int clientWidth) {
    for (HeaderControl control : kLookupOrder) {
        if (Contains(HeaderControlBox(control, clientWidth), client)) {
            return control;
        }
    }
    return HeaderControl::None;
}

Rect HeaderControlBox(HeaderControl control, int clientWidth) {
    switch (control) {
        case HeaderControl::NewNote:
            return ButtonBox(kNewNoteLeft, kNewNoteRight);
        case HeaderControl::Colour:
            return ButtonBox(kSwatchLeft, kSwatchRight);
        case HeaderControl::Title:
            return Rect{kTitleLeft, 0, clientWidth - kTitleRightInset, kHeaderHeight};
        case HeaderControl::DockLeft:
            return DockCellBox(0, clientWidth);
        case HeaderControl::DockTop:
            return DockCellBox(1, clientWidth);
        case HeaderControl::DockRight:
            return DockCellBox(2, clientWidth);
        case HeaderControl::Pin:
            return ButtonBox(clientWidth - kPinLeftInset, clientWidth - kPinRightInset);
        case HeaderControl::Delete:
            return CloseCrossBox(clientWidth);
        case HeaderControl::None:
            break;
    }
    return Rect{};
}

NoteHit NoteHitTest(Point client, int clientWidth, int clientHeight, bool docked) {
    if (docked || HeaderControlAt(client, clientWidth) != HeaderControl::None) {
        return NoteHit::Client;
    }
    const NoteHit edge = ResizeEdgeAt(client, clientWidth, clientHeight);
    if (edge != NoteHit::Client) {
        return edge;
    }
    return client.y < kHeaderHeight ? NoteHit::Caption : NoteHit::Client;
}

Point CascadePosition(std::int32_t cascadeCounter) {
    // The signed remainder is negative for a negative counter; bring it into
    // 0..7 so that no note is ever placed left of or above the first place.
    const std::int32_t place = (cascadeCounter % kCascadePlaces + kCascadePlaces) % kCascadePlaces;
    const std::int32_t offset = kCascadeBase + kCascadeStep * place;
    return Point{offset, offset};
}

std::int32_t NextCascadeCounter(std::int32_t cascadeCounter) {
    // Unsigned arithmetic wraps without undefined behaviour; since 2^32 is a
    // multiple of 8 the cascade goes on without a jump.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(cascadeCounter) + 1u);
}

CascadeChoice FreeCascadePlace(std::int32_t cascadeCounter, const std::vector<Point>& takenCorners,
                               const Rect& workArea) {
    const auto taken = [&takenCorners](Point p) {
        return std::find(takenCorners.begin(), takenCorners.end(), p) != takenCorners.end();
    };
    for (std::int32_t round = 0; round < kMostCascadeRounds; ++round) {
        const std::int64_t shift = std::int64_t{kCascadeRoundShift} * round;
        // Round 0 is always tried; a later one only when its notes fit.
        const std::int64_t rightmost = kCascadeBase + kCascadeStep * (kCascadePlaces - 1) + shift + kNewNoteWidth;
        if (round > 0 && rightmost > workArea.right) break;
        std::int32_t counter = cascadeCounter;
        for (int step = 0; step < kCascadePlaces; ++step) {
            Point place = CascadePosition(counter);
            place.x += static_cast<std::int32_t>(shift);
            counter = NextCascadeCounter(counter);
            if (!taken(place)) return {place, counter};
        }
    }
    return {CascadePosition(cascadeCounter), NextCascadeCounter(cascadeCounter)};
}

Point NearPinnedPosition(const Rect& sourceWindow, const Rect& workArea) {
    // 64-bit arithmetic: a window far off every screen must not overflow.
    const std::int64_t below = std::int64_t{sourceWindow.bottom} + kPinnedSourceGap;
    const std::int64_t above = std::int64_t{sourceWindow.top} - kPinnedSourceGap - kNewNoteHeight;
    const bool fitsBelow = below + kNewNoteHeight <= workArea.bottom;
    const bool fitsAbove = above >= workArea.top;
    const std::int64_t top = !fitsBelow && fitsAbove ? above : below;
    const auto start = [](std::int64_t value, int length) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max() - length));
    };
    const std::int32_t left = start(sourceWindow.left, kNewNoteWidth);
    const std::int32_t wantedTop = start(top, kNewNoteHeight);
    const Rect wanted{left, wantedTop, left + kNewNoteWidth, wantedTop + kNewNoteHeight};
    const Rect placed = KeepInsideWorkArea(wanted, workArea);
    return Point{placed.left, placed.top};
}

Rect NoteEditRect(int clientWidth, int clientHeight) {
    const int width = std::max(0, clientWidth - kEditWidthInset);
    const int height = std::max(0, clientHeight - kEditHeightInset);
    return Rect{kEditLeft, kEditTop, kEditLeft + width, kEditTop + height};
}

Rect PlaceholderTextRect(int clientWidth, int clientHeight) {
    return Rect{kPlaceholderInset, kPlaceholderTop, clientWidth - kPlaceholderInset,
                clientHeight - kPlaceholderInset};
}

Rect HeaderStripRect(int clientWidth) { return Rect{0, 0, clientWidth, kHeaderHeight}; }

Rect ColourSwatchRect() { return HeaderControlBox(HeaderControl::Colour, 0); }

Rect PinGlyphBox(int clientWidth) { return HeaderControlBox(HeaderControl::Pin, clientWidth); }

Rect TitleBox(int clientWidth) { return HeaderControlBox(HeaderControl::Title, clientWidth); }

bool IsTitleDrawn(int clientWidth) { return clientWidth - kTitleRightInset > kTitleLeft; }

Rect SaveFailedBadgeRect(int clientWidth) {
    const int top = (kHeaderHeight - kSaveBadgeSize) / 2;
    const int right = std::min(kTitleLeft + kSaveBadgeSize, std::max(kTitleLeft, clientWidth - kTitleRightInset));
    return Rect{kTitleLeft, top, right, top + kSaveBadgeSize};
}

Rect TitleTextBox(int clientWidth, bool showsBadge) {
    Rect box = TitleBox(clientWidth);
    if (showsBadge) box.left = std::min(box.right, box.left + kSaveBadgeSize + kSaveBadgeGap);
    return box;
}

char16_t PinGlyph(bool pinned) { return pinned ? kPinnedGlyph : kUnpinnedGlyph; }

std::array<PointF, 3> DockTriangle(int cell, int clientWidth) {
    if (cell < 0 || cell >= kDockCellCount) {
        return {};
    }
    const Rect box = DockCellBox(cell, clientWidth);
    const float left = static_cast<float>(box.left) + kTriangleInset;
    const float right = static_cast<float>(box.right) - kTriangleInset;
    const float top = kTriangleTop;
    const float bottom = kTriangleBottom;
    const float middle = kTriangleMiddle;
    switch (cell) {
        case 0:  // pointing left
            return {PointF{right, top}, PointF{right, bottom}, PointF{left, middle}};
        case 1:  // pointing up
            return {PointF{left, bottom}, PointF{right, bottom}, PointF{(left + right) / 2, top}};
        default:  // pointing right
            return {PointF{left, top}, PointF{left, bottom}, PointF{right, middle}};
    }
}

std::array<LineSegment, 2> PlusSignLines() {
    return {
        LineSegment{{kPlusCentreX, kPlusCentreY - kPlusArm}, {kPlusCentreX, kPlusCentreY + kPlusArm}},
        LineSegment{{kPlusCentreX - kPlusArm, kPlusCentreY}, {kPlusCentreX + kPlusArm, kPlusCentreY}},
    };
}

void ApplyMinimumSize(int& width, int& height) {
    width = std::max(width, kMinNoteWidth);
    height = std::max(height, kMinNoteHeight);
}

// Geometry of a note window in client pixels: the header controls, the
// hit test that decides between moving, resizing and clicking, the edit
// placement and where new notes appear. Fixed device pixels, never scaled.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "ui/core/title_band.h"

constexpr int kHeaderHeight = kTitleBandHeight;
constexpr int kResizeEdge = 6;
constexpr int kMinNoteWidth = 180;
constexpr int kMinNoteHeight = 90;
constexpr int kNewNoteWidth = 240;
constexpr int kNewNoteHeight = 200;
constexpr int kCascadeBase = 120;
constexpr int kCascadeStep = 28;
constexpr int kCascadePlaces = 8;
constexpr int kCascadeRoundShift = kCascadeStep * kCascadePlaces;
constexpr int kPinnedSourceGap = 8;  // between a pinned note and the note made from it

// The anti-aliased plus sign; the cross and the swatch outline use the
// title band's kCrossPenWidth.
constexpr float kGlyphPenWidth = 2.2f;

// Pin glyphs of the icon font.
constexpr char16_t kPinnedGlyph = u'\uE840';
constexpr char16_t kUnpinnedGlyph = u'\uE718';

enum class HeaderControl { None, NewNote, Colour, Title, DockLeft, DockTop, DockRight, Pin, Delete };

enum class NoteHit {
    Client,
    Caption,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

struct PointF {
    float x = 0;
    float y = 0;
    bool operator==(const PointF&) const = default;
};

// The first header control whose click box holds the point, in the order
// plus sign, swatch, title, dock left, dock top, dock right, pin, delete.
HeaderControl HeaderControlAt(Point client, int clientWidth);

// The click box of a control, right and bottom exclusive; empty for None.
// The title box can be empty or inverted on a narrow note: it then holds no point.
Rect HeaderControlBox(HeaderControl control, int clientWidth);

// The badge of a note whose last save failed: a disc at the start of the
// title box, vertically centred in the header.
Rect SaveFailedBadgeRect(int clientWidth);

// Where the title's text goes: the title box, after the badge when the note
// shows one.
Rect TitleTextBox(int clientWidth, bool showsBadge);

// What a point of a floating or docked note does under the mouse.
NoteHit NoteHitTest(Point client, int clientWidth, int clientHeight, bool docked);

// Where the new note made at this value of the cascade counter goes.
// Any counter value, negative ones included, gives one of the 8 places.
Point CascadePosition(std::int32_t cascadeCounter);

// The counter after one more cascaded note; wraps instead of overflowing.
std::int32_t NextCascadeCounter(std::int32_t cascadeCounter);

// A place for a new note from the cascade, and the counter after it.
struct CascadeChoice {
    Point position;
    std::int32_t nextCounter = 0;
};

// The first cascade place from `cascadeCounter` on where no note's top-left
// corner already is: a new note never hides a note exactly. When the eight
// places are taken, the next round of eight lies kCascadeRoundShift further
// right, as long as a new note there fits in the work area; when every place
// of every round is taken, the counter's own place.
CascadeChoice FreeCascadePlace(std::int32_t cascadeCounter, const std::vector<Point>& takenCorners,
                               const Rect& workArea);

// Top-left of a new note of the new-note size made from a pinned note's
// window: just below it, left-aligned, when that fits in the work area;
// otherwise just above it; otherwise moved wholly inside the work area.
Point NearPinnedPosition(const Rect& sourceWindow, const Rect& workArea);

// The edit control of a regular note; never of negative size.
Rect NoteEditRect(int clientWidth, int clientHeight);

// Text box of the fixed text of a placeholder note.
Rect PlaceholderTextRect(int clientWidth, int clientHeight);

Rect HeaderStripRect(int clientWidth);
Rect ColourSwatchRect();
Rect PinGlyphBox(int clientWidth);
Rect TitleBox(int clientWidth);
// The title is drawn only when its box is wider than zero.
bool IsTitleDrawn(int clientWidth);

char16_t PinGlyph(bool pinned);

// The filled triangle of dock cell 0 (left), 1 (top) or 2 (right);
// all points at the origin for any other cell.
std::array<PointF, 3> DockTriangle(int cell, int clientWidth);

// The vertical then the horizontal stroke of the plus sign.
std::array<LineSegment, 2> PlusSignLines();

// Raises a stored size to the minimum a note can be resized to.
void ApplyMinimumSize(int& width, int& height);

// Geometry of the date and time picker popup in client pixels: the month
// arrows and title, the weekday headings, the 6 × 7 day grid, the hour and
// minute fields with their spin arrows, the buttons, and what a click hits.
// Rectangles are right and bottom exclusive; fixed device pixels.
#pragma once

#include <array>

#include "base/rect.h"

constexpr int kPickerWidth = 230;
constexpr int kPickerHeight = 286;
constexpr int kDayGridRows = 6;
constexpr int kDayGridColumns = 7;
constexpr int kDayCellCount = kDayGridRows * kDayGridColumns;

// What a left click does, tested in this order.
enum class PickerTarget { Nothing, PreviousMonth, NextMonth, HourUp, HourDown, MinuteUp, MinuteDown, Day };

struct PickerHit {
    PickerTarget target = PickerTarget::Nothing;
    int day = 0;  // the day clicked, for PickerTarget::Day
    bool operator==(const PickerHit&) const = default;
};

// The target under a client point while `year`/`month` is shown. A day cell
// counts only when it holds a day of that month.
PickerHit PickerHitAt(Point client, int year, int month);

// The filled triangle of a month or spin arrow; all points at the origin
// for Nothing and Day.
std::array<Point, 3> PickerArrowTriangle(PickerTarget arrow);

// Where a click works the arrow; empty for Nothing and Day.
Rect PickerArrowArea(PickerTarget arrow);

Rect MonthTitleBox();

// Column 0 = Monday .. 6 = Sunday.
Rect WeekdayHeadingBox(int column);

// Cell 0..41: row cell / 7, column cell % 7.
Rect DayCellRect(int cell);

// The day number a cell shows, 0 when the cell stays empty.
int DayInCell(int cell, int firstWeekday, int daysInMonth);

Rect HourLabelRect();
Rect HourFieldRect();
Rect ColonBox();
Rect MinuteFieldRect();
Rect PickerOkButtonRect();
Rect PickerCancelButtonRect();

// The popup's screen rectangle: its top-left at the anchor, moved to lie
// inside the work area (the top-left corner wins when it cannot).
Rect PickerRect(Point anchor, const Rect& workArea);

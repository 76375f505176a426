#include "entries/core/picker_layout.h"

#include "entries/core/calendar.h"
#include "ui/core/dialog_placement.h"

namespace {

constexpr int kGridLeft = 10;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 24;
constexpr int kHeadingTop = 40;
constexpr int kHeadingBottom = 60;
constexpr int kGridTop = 60;

constexpr Rect kTitleBox{34, 10, 196, 40};
constexpr Rect kPreviousMonthArea{10, 10, 34, 40};
constexpr Rect kNextMonthArea{196, 10, 220, 40};
constexpr std::array<Point, 3> kPreviousMonthTriangle{Point{27, 19}, Point{27, 31}, Point{17, 25}};
constexpr std::array<Point, 3> kNextMonthTriangle{Point{203, 19}, Point{203, 31}, Point{213, 25}};

// Spin arrows: the hour's at x 110..125, the minute's 70 pixels further right.
constexpr int kHourSpinLeft = 110;
constexpr int kMinuteSpinLeft = 180;
constexpr int kSpinAreaWidth = 16;
constexpr int kSpinUpTop = 212;
constexpr int kSpinUpBottom = 224;
constexpr int kSpinDownTop = 226;
constexpr int kSpinDownBottom = 238;
// Triangle corners from the spin column's left edge.
constexpr int kSpinTriangleLeft = 4;
constexpr int kSpinTriangleRight = 12;
constexpr int kSpinTriangleMiddle = 8;
constexpr int kSpinUpBase = 221;
constexpr int kSpinUpTip = 215;
constexpr int kSpinDownBase = 229;
constexpr int kSpinDownTip = 235;

// The label is wide enough for "Heure :" with its no-break space.
constexpr Rect kHourLabel{10, 212, 72, 238};
constexpr Rect kHourField{72, 212, 108, 236};
constexpr Rect kColon{128, 212, 140, 238};
constexpr Rect kMinuteField{142, 212, 178, 236};
constexpr Rect kOkButton{10, 246, 106, 274};
constexpr Rect kCancelButton{124, 246, 220, 274};

constexpr PickerTarget kArrowOrder[] = {
    PickerTarget::PreviousMonth, PickerTarget::NextMonth, PickerTarget::HourUp,
    PickerTarget::HourDown,      PickerTarget::MinuteUp,  PickerTarget::MinuteDown,
};

bool Contains(const Rect& box, Point point) {
    return box.left <= point.x && point.x < box.right && box.top <= point.y && point.y < box.bottom;
}

bool IsSpin(PickerTarget arrow) {
    return arrow == PickerTarget::HourUp || arrow == PickerTarget::HourDown ||
           arrow == PickerTarget::MinuteUp || arrow == PickerTarget::MinuteDown;
}

int SpinLeft(PickerTarget arrow) {
    return (arrow == PickerTarget::HourUp || arrow == PickerTarget::HourDown) ? kHourSpinLeft : kMinuteSpinLeft;
}

bool IsSpinUp(PickerTarget arrow) { return arrow == PickerTarget::HourUp || arrow == PickerTarget::MinuteUp; }

}  // namespace

PickerHit PickerHitAt(Point client, int year, int month) {
    for (PickerTarget arrow : kArrowOrder) {
        if (Contains(PickerArrowArea(arrow), client)) return PickerHit{arrow, 0};
    }
    const int firstWeekday = FirstWeekdayOfMonth(year, month);
    const int daysInMonth = DaysInMonth(year, month);
    for (int cell = 0; cell < kDayCellCount; ++cell) {
        const int day = DayInCell(cell, firstWeekday, daysInMonth);
        if (day != 0 && Contains(DayCellRect(cell), client)) return PickerHit{PickerTarget::Day, day};
    }
    return PickerHit{};
}

std::array<Point, 3> PickerArrowTriangle(PickerTarget arrow) {
    if (arrow == PickerTarget::PreviousMonth) return kPreviousMonthTriangle;
    if (arrow == PickerTarget::NextMonth) return kNextMonthTriangle;
    if (!IsSpin(arrow)) return {};
    const int left = SpinLeft(arrow);
    const int base = IsSpinUp(arrow) ? kSpinUpBase : kSpinDownBase;
    const int tip = IsSpinUp(arrow) ? kSpinUpTip : kSpinDownTip;
    return {Point{left + kSpinTriangleLeft, base}, Point{left + kSpinTriangleRight, base},
            Point{left + kSpinTriangleMiddle, tip}};
}

Rect PickerArrowArea(PickerTarget arrow) {
    if (arrow == PickerTarget::PreviousMonth) return kPreviousMonthArea;
    if (arrow == PickerTarget::NextMonth) return kNextMonthArea;
    if (!IsSpin(arrow)) return Rect{};
    const int left = SpinLeft(arrow);
    return IsSpinUp(arrow) ? Rect{left, kSpinUpTop, left + kSpinAreaWidth, kSpinUpBottom}
                           : Rect{left, kSpinDownTop, left + kSpinAreaWidth, kSpinDownBottom};
}

Rect MonthTitleBox() { return kTitleBox; }

Rect WeekdayHeadingBox(int column) {
    const int left = kGridLeft + kCellWidth * column;
    return Rect{left, kHeadingTop, left + kCellWidth, kHeadingBottom};
}

Rect DayCellRect(int cell) {
    const int left = kGridLeft + kCellWidth * (cell % kDayGridColumns);
    const int top = kGridTop + kCellHeight * (cell / kDayGridColumns);
    return Rect{left, top, left + kCellWidth, top + kCellHeight};
}

int DayInCell(int cell, int firstWeekday, int daysInMonth) {
    const int day = cell - firstWeekday + 1;
    return (day >= 1 && day <= daysInMonth) ? day : 0;
}

Rect HourLabelRect() { return kHourLabel; }
Rect HourFieldRect() { return kHourField; }
Rect ColonBox() { return kColon; }
Rect MinuteFieldRect() { return kMinuteField; }
Rect PickerOkButtonRect() { return kOkButton; }
Rect PickerCancelButtonRect() { return kCancelButton; }

Rect PickerRect(Point anchor, const Rect& workArea) {
    const Rect desired{anchor.x, anchor.y, anchor.x + kPickerWidth, anchor.y + kPickerHeight};
    return KeepInsideWorkArea(desired, workArea);
}

#include "entries/core/picker_layout.h"

#include <gtest/gtest.h>

#include "entries/core/picker_rules.h"

namespace {

using T = PickerTarget;
using Triangle = std::array<Point, 3>;

TEST(PickerLayout, ClickTableInMarch2024) {
    // March 2024 starts on a Friday (column 4) and has 31 days.
    const struct {
        Point point;
        PickerHit hit;
    } cases[] = {
        {{10, 10}, {T::PreviousMonth, 0}}, {{33, 39}, {T::PreviousMonth, 0}}, {{34, 20}, {T::Nothing, 0}},
        {{196, 10}, {T::NextMonth, 0}},    {{219, 39}, {T::NextMonth, 0}},    {{220, 20}, {T::Nothing, 0}},
        {{110, 212}, {T::HourUp, 0}},      {{125, 223}, {T::HourUp, 0}},      {{118, 224}, {T::Nothing, 0}},
        {{118, 226}, {T::HourDown, 0}},    {{125, 237}, {T::HourDown, 0}},    {{118, 238}, {T::Nothing, 0}},
        {{180, 212}, {T::MinuteUp, 0}},    {{195, 230}, {T::MinuteDown, 0}},  {{196, 215}, {T::Nothing, 0}},
        {{159, 83}, {T::Day, 1}},          {{160, 83}, {T::Day, 2}},          {{129, 70}, {T::Nothing, 0}},
        {{10, 84}, {T::Day, 4}},           {{219, 179}, {T::Day, 31}},        {{10, 180}, {T::Nothing, 0}},
        {{100, 45}, {T::Nothing, 0}},      {{219, 203}, {T::Nothing, 0}},     {{100, 240}, {T::Nothing, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PickerHitAt(c.point, 2024, 3), c.hit) << "at " << c.point.x << "," << c.point.y;
    }
}

TEST(PickerLayout, February2024Grid) {
    // Thursday the 1st, 29 days: cells 3..31 hold a day.
    EXPECT_EQ(DayInCell(2, 3, 29), 0);
    EXPECT_EQ(DayInCell(3, 3, 29), 1);
    EXPECT_EQ(DayInCell(31, 3, 29), 29);
    EXPECT_EQ(DayInCell(32, 3, 29), 0);
    EXPECT_EQ(DayCellRect(3), (Rect{100, 60, 130, 84}));
    EXPECT_EQ(DayCellRect(41), (Rect{190, 180, 220, 204}));
    EXPECT_EQ(PickerHitAt({100, 60}, 2024, 2), (PickerHit{T::Day, 1}));
    EXPECT_EQ(PickerHitAt({100, 156}, 2024, 2), (PickerHit{T::Day, 29}));   // cell 31
    EXPECT_EQ(PickerHitAt({100, 156}, 2023, 2), (PickerHit{T::Nothing, 0}));  // 28 days from Wednesday
}

TEST(PickerLayout, DrawnShapesAndThePopup) {
    EXPECT_EQ(PickerArrowTriangle(T::PreviousMonth), (Triangle{Point{27, 19}, Point{27, 31}, Point{17, 25}}));
    EXPECT_EQ(PickerArrowTriangle(T::NextMonth), (Triangle{Point{203, 19}, Point{203, 31}, Point{213, 25}}));
    EXPECT_EQ(PickerArrowTriangle(T::HourUp), (Triangle{Point{114, 221}, Point{122, 221}, Point{118, 215}}));
    EXPECT_EQ(PickerArrowTriangle(T::MinuteDown), (Triangle{Point{184, 229}, Point{192, 229}, Point{188, 235}}));
    EXPECT_EQ(PickerArrowArea(T::Day), Rect{});
    EXPECT_EQ(WeekdayHeadingBox(6), (Rect{190, 40, 220, 60}));
    EXPECT_EQ(MonthTitleBox(), (Rect{34, 10, 196, 40}));
    EXPECT_EQ(PickerCancelButtonRect(), (Rect{124, 246, 220, 274}));
    // The popup, 230 × 286, stays inside the work area.
    EXPECT_EQ(PickerRect({1500, 800}, Rect{0, 0, 1600, 900}), (Rect{1370, 614, 1600, 900}));
}

TEST(PickerRules, HourAndMinuteFields) {
    const struct {
        int value;
        int step;
        int modulus;
        int result;
    } cases[] = {
        {23, 1, 24, 0}, {0, -1, 60, 59}, {99, 1, 24, 4}, {99, 1, 60, 40}, {0, -1, 24, 23}, {5, 1, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepSpinValue(c.value, c.step, c.modulus), c.result) << c.value << " by " << c.step;
    }
    EXPECT_EQ(TwoDigitText(4), u"04");
    EXPECT_EQ(TwoDigitText(40), u"40");
    EXPECT_EQ(TypedHour(u"99"), 23);
    EXPECT_EQ(TypedMinute(u"99"), 59);
    EXPECT_EQ(TypedHour(u""), 0);
    EXPECT_EQ(TypedMinute(u"07"), 7);
    EXPECT_EQ(TypedHour(u"x1"), 0);
    EXPECT_EQ(ReadFieldNumber(u"99999999999"), 2147483647);
}

TEST(PickerRules, MonthNavigation) {
    const struct {
        DueParts shown;
        DueParts previous;
        DueParts next;
    } cases[] = {
        {{2024, 3, 31, 10, 15}, {2024, 2, 29, 10, 15}, {2024, 4, 30, 10, 15}},
        {{2024, 1, 15, 0, 0}, {2023, 12, 15, 0, 0}, {2024, 2, 15, 0, 0}},
        {{2023, 12, 31, 0, 0}, {2023, 11, 30, 0, 0}, {2024, 1, 31, 0, 0}},
        {{100, 1, 5, 0, 0}, {100, 1, 5, 0, 0}, {100, 2, 5, 0, 0}},          // first supported month
        {{9999, 12, 31, 0, 0}, {9999, 11, 30, 0, 0}, {9999, 12, 31, 0, 0}},  // last supported month
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PreviousMonth(c.shown), c.previous) << c.shown.year << "-" << c.shown.month;
        EXPECT_EQ(NextMonth(c.shown), c.next) << c.shown.year << "-" << c.shown.month;
    }
}

TEST(PickerRules, StartingValues) {
    const DueParts now{2025, 6, 14, 8, 5};
    EXPECT_EQ(PickerStartParts(202403311015, now), (DueParts{2024, 3, 31, 10, 15}));
    EXPECT_EQ(PickerStartParts(0, now), now);
    EXPECT_EQ(PickerStartParts(202413999999, now), now);  // damaged: not shown as month 13
    EXPECT_EQ(MonthTitle(2024, 2), u"Fevrier 2024");
    EXPECT_EQ(MonthTitle(2024, 13), u" 2024");
}

}  // namespace

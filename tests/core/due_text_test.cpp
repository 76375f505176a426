#include "entries/due_text.h"

#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "entries/calendar.h"

namespace {

TEST(DueText, TypedDates) {
    const struct {
        std::u16string text;
        DueStamp due;
    } cases[] = {
        {u"5/3/24 9:7", 202403050907},          {u"05/03/2024", 202403050000},
        {u"05/03/2024 14", 202403050000},       // four numbers: midnight
        {u"5/3", 0},                            {u"", 0},
        {u"31/02/2024 25:70", 202402290000},    {u"30/02/2023", 202302280000},
        {u"31/12/1999 23:59", 199912312359},
        {u"  5/ 3/ +24\t9: 7", 202403050907},   // blanks and a sign before each number
        {u"5/3/2409:07", 240903050000},         // the year runs on into the hour
        {u"5/3/24:9", 202403050000},            // stops after the year
        {u"5 /3/24", 0},                        // '/' must follow directly
        {u"5/3/24 9 :7", 202403050000},         // ':' must follow directly: a lone hour is ignored
        {u"5/3/24 9:60", 202403050900},         {u"5/3/24 -1:30", 202403050030},
        {u"0/3/24", 0},                         {u"5/13/24", 0},
        {u"5/0/24", 0},                         {u"5/3/99", 209903050000},
        {u"5/3/100", 10003050000},              // the first year that is not short
        {u"5/3/9999 23:59", 999903052359},      {u"5/3/10000", 0},
        {u"5/3/-5", 0},                         // not 1995
        {u"99999999999999999999/3/2024", 202403310000},  // saturated, then the month's end
        {u"5/3/99999999999999999999", 0},
        {u"5/3/2024 99999999999999999999:99999999999999999999", 202403050000},
        {u"5/3/24 9:7 and more", 202403050907}, {u"le 5/3/24", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDueText(c.text), c.due) << testing::PrintToString(c.text);
}

TEST(DueText, EditingText) {
    EXPECT_EQ(FormatDueForEditing(202403051430), u"05/03/2024 14:30");
    EXPECT_EQ(FormatDueForEditing(10001010000), u"01/01/0100 00:00");
    EXPECT_EQ(FormatDueForEditing(0), u"");
    EXPECT_EQ(FormatDueForEditing(-202403051430), u"");
    // Damaged stamps are shown digit for digit.
    EXPECT_EQ(FormatDueForEditing(202413999999), u"99/13/2024 99:99");
    EXPECT_EQ(FormatDueForEditing(1000001010000), u"01/01/10000 00:00");
    EXPECT_EQ(FormatDueForEditing(101010000), u"01/01/0001 00:00");
    EXPECT_EQ(FormatDueForEditing(std::numeric_limits<DueStamp>::max()), u"77/54/92233720368 58:07");
}

TEST(DueText, WellFormedDues) {
    const DueStamp wellFormed[] = {202402292359, 10001010000, 999912312359};
    const DueStamp malformed[] = {0, 202302290000, 202400010000, 202401012400, 202401010060, 9901010000, 1000001010000};
    for (const DueStamp due : wellFormed) EXPECT_TRUE(IsWellFormedDue(due)) << due;
    for (const DueStamp due : malformed) EXPECT_FALSE(IsWellFormedDue(due)) << due;
}

// Accepting the editor without touching the date must keep the due as it was.
TEST(DueText, EveryWellFormedDueSurvivesTheDateField) {
    const DueStamp corners[] = {10001010000,  10012312359,  199912312359, 200001010000,
                                202402290000, 209912312359, 210001010000, 999912312359};
    for (const DueStamp due : corners) EXPECT_EQ(ParseDueText(FormatDueForEditing(due)), due) << due;
    std::mt19937 random(20240305);
    const auto next = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < 20000; ++i) {
        DueParts parts{next(kMinDueYear, kMaxDueYear), next(1, 12), 1, next(0, 23), next(0, 59)};
        parts.day = next(1, DaysInMonth(parts.year, parts.month));
        const DueStamp due = MakeDueStamp(parts);
        ASSERT_TRUE(IsWellFormedDue(due)) << due;
        ASSERT_EQ(ParseDueText(FormatDueForEditing(due)), due) << due;
    }
}

TEST(DueText, SplitAndMake) {
    EXPECT_EQ(SplitDueStamp(202403311015), (DueParts{2024, 3, 31, 10, 15}));
    EXPECT_EQ(MakeDueStamp(DueParts{2024, 3, 31, 10, 15}), 202403311015);
    EXPECT_EQ(SplitDueStamp(std::numeric_limits<DueStamp>::max()).year, std::numeric_limits<int>::max());
}

TEST(Calendar, MonthLengthsAndFirstWeekdays) {
    const struct {
        int year;
        int month;
        int days;
    } lengths[] = {
        {2023, 1, 31},  {2023, 2, 28},  {2024, 2, 29},  {1900, 2, 28}, {2000, 2, 29}, {2100, 2, 28},
        {2024, 4, 30},  {2024, 11, 30}, {2024, 12, 31}, {2024, 0, 0},  {2024, 13, 0},
    };
    for (const auto& c : lengths) EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;

    // 0 = Monday .. 6 = Sunday.
    const struct {
        int year;
        int month;
        int weekday;
    } firsts[] = {
        {2024, 2, 3}, {2023, 2, 2}, {2024, 9, 6}, {2024, 7, 0}, {1970, 1, 3}, {2000, 1, 5},
        {2000, 3, 2}, {1900, 3, 3}, {9999, 12, 2}, {100, 1, 4}, {2024, 13, 0},
    };
    for (const auto& c : firsts) {
        EXPECT_EQ(FirstWeekdayOfMonth(c.year, c.month), c.weekday) << c.year << "-" << c.month;
    }
}

}  // namespace

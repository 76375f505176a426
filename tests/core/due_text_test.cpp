#include "entries/core/due_text.h"

#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "entries/core/calendar.h"

namespace {

constexpr DateStamp kToday = 20261201;

TEST(DueField, ReadsTheFormsTyped) {
    const struct {
        std::u16string text;
        DueStamp due;
    } cases[] = {
        {u"15/12/2026 10:00", 202612151000}, {u"15/12/2026 10h00", 202612151000},
        {u"15/12/2026 10H30", 202612151030}, {u"15/12/26 9h", 202612150900},
        {u"5/3/2027 9:07", 202703050907},    {u"15/12/2026", 202612150000},
        {u"15.12.2026", 202612150000},       {u"15-12-2026 23:59", 202612152359},
        {u"2026-12-20", 202612200000},       {u"2026-12-20 10:00", 202612201000},
        {u"2026/1/2 0h", 202601020000},      {u"20/12 9h30", 202612200930},
        {u"10h30", 202612011030},            {u"9h", 202612010900},
        {u"0:00", 202612010000},             {u" \t15/12/2026  \u00A010:00 ", 202612151000},
        {u"31/02/2026", 202602280000},       {u"31/02/2028 23:59", 202802292359},
        {u"31/04/26", 202604300000},         {u"01/01/0100 00:00", 10001010000},
        {u"31/12/9999 23:59", 999912312359}, {u"", 0},
        {u" \t ", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadDueField(c.text, kToday), std::optional<DueStamp>(c.due)) << testing::PrintToString(c.text);
    }
}

TEST(DueField, RefusesWhatItCannotReadWholly) {
    const std::u16string refused[] = {
        u"15/12/2026 24:00", u"15/12/2026 10:60", u"15/12/2026 10h5",  u"15/12/2026 10:",
        u"15/12/2026 10",    u"15/12/2026 010:00", u"15/12/2026 10:00x", u"15/12/2026x",
        u"15/12/202610:00",  u"15/12/2026 10:00 11:00", u"15/12/2026 10:30:00", u"15/12/2026 à 10h",
        u"+15/12/2026",      u"-5/3/26",          u"15/-12/2026",       u"15/12/+2026",
        u"32/12/2026",       u"0/12/2026",        u"15/13/2026",        u"15/0/2026",
        u"015/12/2026",      u"15/12/226",        u"15/12/20266",       u"15/12/6",
        u"15/12/0099",       u"15/12.2026",       u"15 /12/2026",       u"15/ 12/2026",
        u"2026-12",          u"2026-12-20-1",     u"15",                u"15/",
        u"demain",           u"le 15/12/2026",    u"10 h 30",           u"h30",
        u"10h30m",           u"\uFF11\uFF15/12/2026", u"99999999999999999999/3/2024",
        u"15/12/2026 99999999999999999999:00",
    };
    for (const auto& text : refused) EXPECT_EQ(ReadDueField(text, kToday), std::nullopt) << testing::PrintToString(text);
}

// A day and month without a year is the next such day, today counting.
TEST(DueField, ChoosesTheYearOfADayWithoutOne) {
    const struct {
        DateStamp today;
        std::u16string text;
        std::optional<DueStamp> due;
    } cases[] = {
        {20261231, u"31/12", 202612310000}, {20261231, u"1/1", 202701010000},
        {20261231, u"30/12", 202712300000}, {20270101, u"31/12", 202712310000},
        {20270101, u"1/1 8h", 202701010800}, {20270301, u"29/02", 202802290000},
        {20260301, u"29/02", 202702280000}, {99991231, u"1/1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadDueField(c.text, c.today), c.due) << c.today << " " << testing::PrintToString(c.text);
    }
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
    for (const DueStamp due : corners) EXPECT_EQ(ReadDueField(FormatDueForEditing(due), kToday), due) << due;
    std::mt19937 random(20240305);
    const auto next = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < 20000; ++i) {
        DueParts parts{next(kMinDueYear, kMaxDueYear), next(1, 12), 1, next(0, 23), next(0, 59)};
        parts.day = next(1, DaysInMonth(parts.year, parts.month));
        const DueStamp due = MakeDueStamp(parts);
        ASSERT_TRUE(IsWellFormedDue(due)) << due;
        ASSERT_EQ(ReadDueField(FormatDueForEditing(due), kToday), due) << due;
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

#include "entries/core/calendar.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFebruary = 2;

// 1 January 1970, day 0 of the count below, was a Thursday.
constexpr std::int64_t kWeekdayOfDayZero = 3;
constexpr std::int64_t kDaysPerWeek = 7;

bool IsValidMonth(int month) { return month >= 1 && month <= 12; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1 January 1970 to the given date, negative before it. The
// Gregorian calendar repeats every 400 years (146097 days); counting from
// March makes the leap day the last day of its year.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    if (month <= 2) --year;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

int DaysInMonth(int year, int month) {
    if (!IsValidMonth(month)) return 0;
    if (month == kFebruary && IsLeapYear(year)) return 29;
    return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

int FirstWeekdayOfMonth(int year, int month) {
    if (!IsValidMonth(month)) return 0;
    const std::int64_t days = DaysFromCivil(year, month, 1);
    const std::int64_t weekday = ((days + kWeekdayOfDayZero) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    return static_cast<int>(weekday);
}

#include "storage/core/moment.h"

namespace {

constexpr std::size_t kDigitsLength = 13;  // YYYYMMDD-HHMM
constexpr std::size_t kDashAt = 8;
constexpr int kMaxCopy = 99;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonthOf(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void AppendDigits(std::u16string& text, int value, int width) {
    std::u16string digits(static_cast<std::size_t>(width), u'0');
    for (int i = width - 1; i >= 0; --i, value /= 10) digits[static_cast<std::size_t>(i)] = u'0' + value % 10;
    text += digits;
}

// The number the digits at [from, from + count) spell; -1 when one is not a digit.
int DigitsValue(std::u16string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < u'0' || text[i] > u'9') return -1;
        value = value * 10 + (text[i] - u'0');
    }
    return value;
}

}  // namespace

// Howard Hinnant's days_from_civil.
std::int64_t DayNumber(const Moment& moment) {
    const std::int64_t year = moment.year - (moment.month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (moment.month + (moment.month > 2 ? -3 : 9)) + 2) / 5 + moment.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// 1970-01-01 was a Thursday: three days after the Monday that starts week 0.
std::int64_t WeekNumber(const Moment& moment) {
    const std::int64_t fromMonday = DayNumber(moment) + 3;
    return fromMonday >= 0 ? fromMonday / 7 : (fromMonday - 6) / 7;
}

bool IsValidMoment(const Moment& moment) {
    return moment.year >= 1 && moment.year <= 9999 && moment.month >= 1 && moment.month <= 12 && moment.day >= 1 &&
           moment.day <= DaysInMonthOf(moment.year, moment.month) && moment.hour >= 0 && moment.hour <= 23 &&
           moment.minute >= 0 && moment.minute <= 59;
}

std::u16string MomentDigits(const Moment& moment) {
    std::u16string text;
    AppendDigits(text, moment.year, 4);
    AppendDigits(text, moment.month, 2);
    AppendDigits(text, moment.day, 2);
    text += u'-';
    AppendDigits(text, moment.hour, 2);
    AppendDigits(text, moment.minute, 2);
    return text;
}

bool ParseMomentDigits(std::u16string_view text, Moment& moment) {
    if (text.size() != kDigitsLength || text[kDashAt] != u'-') return false;
    const Moment read{DigitsValue(text, 0, 4), DigitsValue(text, 4, 2), DigitsValue(text, 6, 2),
                      DigitsValue(text, 9, 2), DigitsValue(text, 11, 2)};
    if (!IsValidMoment(read)) return false;
    moment = read;
    return true;
}

std::u16string MomentText(const Moment& moment) {
    std::u16string text;
    AppendDigits(text, moment.day, 2);
    text += u'/';
    AppendDigits(text, moment.month, 2);
    text += u'/';
    AppendDigits(text, moment.year, 4);
    text += u' ';
    AppendDigits(text, moment.hour, 2);
    text += u':';
    AppendDigits(text, moment.minute, 2);
    return text;
}

std::u16string CopySuffix(int copy) {
    if (copy <= 1) return {};
    std::u16string text = u"_";
    if (copy >= 10) text += static_cast<char16_t>(u'0' + copy / 10 % 10);
    text += static_cast<char16_t>(u'0' + copy % 10);
    return text;
}

std::optional<int> ParseCopySuffix(std::u16string_view text) {
    if (text.empty()) return 1;
    if (text.size() < 2 || text.size() > 3 || text[0] != u'_' || text[1] == u'0') return std::nullopt;
    const int value = DigitsValue(text, 1, text.size() - 1);
    if (value < 2 || value > kMaxCopy) return std::nullopt;
    return value;
}

#include "entries/due_text.h"

#include <algorithm>
#include <array>
#include <limits>

#include "entries/calendar.h"
#include "storage/lenient_number.h"

namespace {

constexpr std::int64_t kYearFactor = 100000000;
constexpr std::int64_t kMonthFactor = 1000000;
constexpr std::int64_t kDayFactor = 10000;
constexpr std::int64_t kHourFactor = 100;
constexpr std::int64_t kTwoDigits = 100;

// A short year is counted from here.
constexpr int kShortYearBase = 2000;
constexpr int kShortYearLimit = 100;

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;

constexpr std::size_t kDayField = 0;
constexpr std::size_t kMonthField = 1;
constexpr std::size_t kYearField = 2;
constexpr std::size_t kHourField = 3;
constexpr std::size_t kMinuteField = 4;
constexpr std::size_t kFieldCount = 5;
constexpr std::size_t kDateFieldCount = 3;
// What must directly follow each number of the date text; the blank between
// year and hour is looser and handled on its own.
constexpr std::array<char16_t, kFieldCount> kSeparatorAfter = {u'/', u'/', u' ', u':', u'\0'};

struct Scanner {
    std::u16string_view text;
    std::size_t position = 0;

    bool AtEnd() const { return position >= text.size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : text[position]; }

    void SkipSpace() {
        while (!AtEnd() && IsWideSpace(Peek())) ++position;
    }

    bool Take(char16_t c) {
        if (AtEnd() || Peek() != c) return false;
        ++position;
        return true;
    }

    // A decimal integer after optional white space and sign, saturated at the
    // limits of int. False, with nothing read, when no digit follows.
    bool ReadNumber(int& value) {
        SkipSpace();
        bool negative = false;
        if (Peek() == u'+' || Peek() == u'-') {
            negative = Peek() == u'-';
            ++position;
        }
        if (AtEnd() || Peek() < u'0' || Peek() > u'9') return false;
        constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<int>::max()} + 1;
        std::int64_t magnitude = 0;
        while (!AtEnd() && Peek() >= u'0' && Peek() <= u'9') {
            magnitude = std::min(kCap, magnitude * 10 + (Peek() - u'0'));
            ++position;
        }
        const std::int64_t signedValue = negative ? -magnitude : magnitude;
        value = static_cast<int>(std::clamp<std::int64_t>(signedValue, std::numeric_limits<int>::min(),
                                                          std::numeric_limits<int>::max()));
        return true;
    }
};

// Reads up to five numbers; returns how many were read.
std::size_t ScanDueFields(std::u16string_view text, std::array<int, kFieldCount>& fields) {
    Scanner scanner{text};
    std::size_t count = 0;
    while (count < kFieldCount && scanner.ReadNumber(fields[count])) {
        const char16_t separator = kSeparatorAfter[count];
        ++count;
        if (separator == u' ') {
            scanner.SkipSpace();
        } else if (separator != u'\0' && !scanner.Take(separator)) {
            break;
        }
    }
    return count;
}

std::int64_t Digits(DueStamp due, std::int64_t factor) { return due / factor % kTwoDigits; }

}  // namespace

DueParts SplitDueStamp(DueStamp due) {
    const std::int64_t year = std::clamp<std::int64_t>(due / kYearFactor, std::numeric_limits<int>::min(),
                                                       std::numeric_limits<int>::max());
    return DueParts{static_cast<int>(year), static_cast<int>(Digits(due, kMonthFactor)),
                    static_cast<int>(Digits(due, kDayFactor)), static_cast<int>(Digits(due, kHourFactor)),
                    static_cast<int>(due % kTwoDigits)};
}

DueStamp MakeDueStamp(const DueParts& parts) {
    return parts.year * kYearFactor + parts.month * kMonthFactor + parts.day * kDayFactor +
           parts.hour * kHourFactor + parts.minute;
}

DateStamp DateStampOf(const DueParts& parts) {
    return MakeDueStamp(parts) / kDayFactor;
}

bool IsWellFormedDue(DueStamp due) {
    if (due <= 0) return false;
    const DueParts parts = SplitDueStamp(due);
    return parts.year >= kMinDueYear && parts.year <= kMaxDueYear && parts.month >= 1 &&
           parts.month <= 12 && parts.day >= 1 && parts.day <= DaysInMonth(parts.year, parts.month) &&
           parts.hour <= kLastHour && parts.minute <= kLastMinute;
}

DueStamp ParseDueText(std::u16string_view text) {
    std::array<int, kFieldCount> fields{};
    const std::size_t count = ScanDueFields(text, fields);
    if (count < kDateFieldCount) return 0;

    DueParts parts{fields[kYearField], fields[kMonthField], fields[kDayField], 0, 0};
    // Only a year typed short is moved; a negative year is no date at all.
    if (parts.year >= 0 && parts.year < kShortYearLimit) parts.year += kShortYearBase;
    if (parts.year < kMinDueYear || parts.year > kMaxDueYear) return 0;
    if (parts.month < 1 || parts.month > 12 || parts.day < 1) return 0;
    if (count == kFieldCount) {
        const int hour = fields[kHourField];
        const int minute = fields[kMinuteField];
        parts.hour = (hour >= 0 && hour <= kLastHour) ? hour : 0;
        parts.minute = (minute >= 0 && minute <= kLastMinute) ? minute : 0;
    }
    parts.day = std::min(parts.day, DaysInMonth(parts.year, parts.month));
    return MakeDueStamp(parts);
}

std::u16string FormatDueForEditing(DueStamp due) {
    if (due <= 0) return {};
    constexpr std::size_t kFieldWidth = 2;
    constexpr std::size_t kYearWidth = 4;
    std::u16string text;
    text += PaddedDecimalText(Digits(due, kDayFactor), kFieldWidth);
    text += u'/';
    text += PaddedDecimalText(Digits(due, kMonthFactor), kFieldWidth);
    text += u'/';
    text += PaddedDecimalText(due / kYearFactor, kYearWidth);
    text += u' ';
    text += PaddedDecimalText(Digits(due, kHourFactor), kFieldWidth);
    text += u':';
    text += PaddedDecimalText(due % kTwoDigits, kFieldWidth);
    return text;
}

#include "entries/core/picker_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "entries/core/calendar.h"
#include "i18n/core/translation.h"
#include "storage/core/lenient_number.h"

namespace {

constexpr int kJanuary = 1;
constexpr int kDecember = 12;

constexpr int kLastHour = kHourModulus - 1;
constexpr int kLastMinute = kMinuteModulus - 1;

// French source texts, looked up when shown.
constexpr std::array<const char16_t*, 12> kMonthNames = {
    u"Janvier", u"Fevrier", u"Mars",      u"Avril",   u"Mai",      u"Juin",
    u"Juillet", u"Aout",    u"Septembre", u"Octobre", u"Novembre", u"Decembre",
};

DueParts WithDayInMonth(DueParts parts) {
    parts.day = std::min(parts.day, DaysInMonth(parts.year, parts.month));
    return parts;
}

}  // namespace

DueParts PickerStartParts(DueStamp value, const DueParts& now) {
    if (IsWellFormedDue(value)) return SplitDueStamp(value);
    DueParts parts = now;
    parts.year = std::clamp(parts.year, kMinDueYear, kMaxDueYear);
    return WithDayInMonth(parts);
}

DueParts PreviousMonth(const DueParts& shown) {
    DueParts parts = shown;
    if (parts.month > kJanuary) {
        --parts.month;
    } else if (parts.year > kMinDueYear) {
        parts.month = kDecember;
        --parts.year;
    }
    return WithDayInMonth(parts);
}

DueParts NextMonth(const DueParts& shown) {
    DueParts parts = shown;
    if (parts.month < kDecember) {
        ++parts.month;
    } else if (parts.year < kMaxDueYear) {
        parts.month = kJanuary;
        ++parts.year;
    }
    return WithDayInMonth(parts);
}

int StepSpinValue(int value, int step, int modulus) {
    if (modulus < 1) return 0;
    const std::int64_t m = modulus;
    return static_cast<int>(((std::int64_t{value} + step) % m + m) % m);
}

int ReadFieldNumber(std::u16string_view text) {
    std::size_t position = 0;
    while (position < text.size() && IsWideSpace(text[position])) ++position;
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    std::int64_t value = 0;
    for (; position < text.size() && text[position] >= u'0' && text[position] <= u'9'; ++position) {
        value = std::min(kMax, value * 10 + (text[position] - u'0'));
    }
    return static_cast<int>(value);
}

int TypedHour(std::u16string_view text) { return std::min(ReadFieldNumber(text), kLastHour); }

int TypedMinute(std::u16string_view text) { return std::min(ReadFieldNumber(text), kLastMinute); }

std::u16string TwoDigitText(int value) {
    return PaddedDecimalText(value, 2);
}

std::u16string MonthTitle(int year, int month) {
    std::u16string title;
    if (month >= kJanuary && month <= kDecember) {
        title = Translate(kMonthNames[static_cast<std::size_t>(month - 1)]);
    }
    return title + u" " + DecimalText(year);
}

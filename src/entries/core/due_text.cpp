#include "entries/core/due_text.h"

#include <algorithm>
#include <limits>

#include "entries/core/calendar.h"
#include "storage/core/lenient_number.h"

namespace {

constexpr std::int64_t kYearFactor = 100000000;
constexpr std::int64_t kMonthFactor = 1000000;
constexpr std::int64_t kDayFactor = 10000;
constexpr std::int64_t kHourFactor = 100;
constexpr std::int64_t kTwoDigits = 100;

// A short year is counted from here.
constexpr int kShortYearBase = 2000;

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;

constexpr int kLastMonth = 12;
constexpr int kLongestMonth = 31;
constexpr std::int64_t kDateYearFactor = 10000;  // of a DateStamp
constexpr std::int64_t kDateMonthFactor = 100;

// How many digits each number of the date field may have.
constexpr std::size_t kMostDayOrMonthDigits = 2;
constexpr std::size_t kMostHourDigits = 2;
constexpr std::size_t kMinuteDigits = 2;
constexpr std::size_t kShortYearDigits = 2;
constexpr std::size_t kFullYearDigits = 4;
// Numbers stop growing here: longer ones are refused for their length anyway.
constexpr int kNumberCap = 100000;

constexpr std::u16string_view kDateSeparators = u"/.-";
constexpr std::u16string_view kHourMarks = u"hH:";

std::int64_t Digits(std::int64_t stamp, std::int64_t factor) { return stamp / factor % kTwoDigits; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsWideSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsWideSpace(text.back())) text.remove_suffix(1);
    return text;
}

// A run of digits as typed: its value and how many digits it had.
struct Number {
    int value = 0;
    std::size_t digits = 0;
};

struct TypedDate {
    Number day;
    Number month;
    std::optional<Number> year;
};

struct TypedTime {
    int hour = 0;
    int minute = 0;
};

class FieldReader {
public:
    explicit FieldReader(std::u16string_view text) : text_(text) {}

    bool AtEnd() const { return position_ >= text_.size(); }

    bool Take(char16_t c) {
        if (AtEnd() || text_[position_] != c) return false;
        ++position_;
        return true;
    }

    // One of `set`, which it gives back.
    std::optional<char16_t> TakeOneOf(std::u16string_view set) {
        if (AtEnd() || set.find(text_[position_]) == std::u16string_view::npos) return std::nullopt;
        return text_[position_++];
    }

    // True when at least one white-space character was skipped.
    bool SkipSpace() {
        const std::size_t start = position_;
        while (!AtEnd() && IsWideSpace(text_[position_])) ++position_;
        return position_ > start;
    }

    std::optional<Number> ReadNumber() {
        Number number;
        while (!AtEnd() && IsDigit(text_[position_])) {
            number.value = std::min(number.value * 10 + (text_[position_] - u'0'), kNumberCap);
            ++number.digits;
            ++position_;
        }
        if (number.digits == 0) return std::nullopt;
        return number;
    }

    // The first number is an hour: an hour mark follows its digits.
    bool StartsWithTime() const {
        std::size_t end = position_;
        while (end < text_.size() && IsDigit(text_[end])) ++end;
        return end > position_ && end < text_.size() && kHourMarks.find(text_[end]) != std::u16string_view::npos;
    }

private:
    std::u16string_view text_;
    std::size_t position_ = 0;
};

bool IsDayOrMonthLength(const Number& number) {
    return number.digits <= kMostDayOrMonthDigits;
}

// A year typed in two digits is counted from kShortYearBase; three or five
// and more digits are a slip.
std::optional<std::int64_t> FullYear(const Number& year) {
    if (year.digits == kShortYearDigits) return kShortYearBase + year.value;
    if (year.digits == kFullYearDigits) return year.value;
    return std::nullopt;
}

// The year of the next such day from today, today counting.
std::int64_t YearOfNext(int month, int day, DateStamp today) {
    const std::int64_t todayYear = today / kDateYearFactor;
    const std::int64_t todayMonthDay = today % kDateYearFactor;
    return month * kDateMonthFactor + day < todayMonthDay ? todayYear + 1 : todayYear;
}

std::optional<DueParts> DateOf(const TypedDate& typed, DateStamp today) {
    if (!IsDayOrMonthLength(typed.day) || !IsDayOrMonthLength(typed.month)) return std::nullopt;
    const int day = typed.day.value;
    const int month = typed.month.value;
    if (month < 1 || month > kLastMonth || day < 1 || day > kLongestMonth) return std::nullopt;
    const std::optional<std::int64_t> year = typed.year ? FullYear(*typed.year) : YearOfNext(month, day, today);
    if (!year || *year < kMinDueYear || *year > kMaxDueYear) return std::nullopt;
    const int fullYear = static_cast<int>(*year);
    return DueParts{fullYear, month, std::min(day, DaysInMonth(fullYear, month)), 0, 0};
}

std::optional<DueParts> DateOfToday(DateStamp today) {
    const std::int64_t year = today / kDateYearFactor;
    if (year < kMinDueYear || year > kMaxDueYear) return std::nullopt;
    const DueParts parts{static_cast<int>(year), static_cast<int>(Digits(today, kDateMonthFactor)),
                         static_cast<int>(Digits(today, 1)), 0, 0};
    if (!IsWellFormedDue(MakeDueStamp(parts))) return std::nullopt;
    return parts;
}

// Day, month and year in either order, or day and month.
std::optional<DueParts> ReadDate(FieldReader& reader, DateStamp today) {
    const std::optional<Number> first = reader.ReadNumber();
    if (!first) return std::nullopt;
    const std::optional<char16_t> separator = reader.TakeOneOf(kDateSeparators);
    if (!separator) return std::nullopt;
    const std::optional<Number> second = reader.ReadNumber();
    if (!second) return std::nullopt;
    TypedDate typed{*first, *second, std::nullopt};
    if (reader.Take(*separator)) {
        const std::optional<Number> third = reader.ReadNumber();
        if (!third) return std::nullopt;
        const bool yearFirst = first->digits == kFullYearDigits;
        typed = yearFirst ? TypedDate{*third, *second, *first} : TypedDate{*first, *second, *third};
    }
    return DateOf(typed, today);
}

// The date, and the blank before a time when one follows; a time alone is today's.
std::optional<DueParts> ReadDatePart(FieldReader& reader, DateStamp today) {
    if (reader.StartsWithTime()) return DateOfToday(today);
    const std::optional<DueParts> date = ReadDate(reader, today);
    if (date && !reader.AtEnd() && !reader.SkipSpace()) return std::nullopt;
    return date;
}

std::optional<TypedTime> ReadTime(FieldReader& reader) {
    const std::optional<Number> hour = reader.ReadNumber();
    if (!hour || hour->digits > kMostHourDigits) return std::nullopt;
    const std::optional<char16_t> mark = reader.TakeOneOf(kHourMarks);
    if (!mark) return std::nullopt;
    const std::optional<Number> minute = reader.ReadNumber();
    if (!minute && *mark == u':') return std::nullopt;  // "9h" is whole, "9:" is not
    if (minute && minute->digits != kMinuteDigits) return std::nullopt;
    const TypedTime time{hour->value, minute ? minute->value : 0};
    if (time.hour > kLastHour || time.minute > kLastMinute) return std::nullopt;
    return time;
}

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

std::optional<DueStamp> ReadDueField(std::u16string_view text, DateStamp today) {
    FieldReader reader(Trimmed(text));
    if (reader.AtEnd()) return 0;
    std::optional<DueParts> due = ReadDatePart(reader, today);
    if (!due) return std::nullopt;
    if (!reader.AtEnd()) {
        const std::optional<TypedTime> time = ReadTime(reader);
        if (!time || !reader.AtEnd()) return std::nullopt;
        due->hour = time->hour;
        due->minute = time->minute;
    }
    return MakeDueStamp(*due);
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

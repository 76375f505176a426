// A local date and time to the minute, as the program's clock gives it, and
// the day and week arithmetic the bin and the backups count with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct Moment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    auto operator<=>(const Moment&) const = default;
};

// Days since 1970-01-01 (negative before it), for any date of the
// proleptic Gregorian calendar.
std::int64_t DayNumber(const Moment& moment);

// Weeks that start on a Monday, numbered so that consecutive weeks have
// consecutive numbers.
std::int64_t WeekNumber(const Moment& moment);

// True for a real date and time of the years 1..9999.
bool IsValidMoment(const Moment& moment);

// "YYYYMMDD-HHMM": how the names of files and folders carry a moment; they
// sort as the moments do.
std::u16string MomentDigits(const Moment& moment);

// The moment of MomentDigits' text; false unless the text is exactly such a
// stamp of a valid moment.
bool ParseMomentDigits(std::u16string_view text, Moment& moment);

// "30/03/2025 14:05", as the windows show a moment.
std::u16string MomentText(const Moment& moment);

// The end of a file or folder name that names its copy: "" for the first,
// "_2" to "_99" for the next ones, when the name was taken.
std::u16string CopySuffix(int copy);

// The copy CopySuffix wrote; nothing for any other text.
std::optional<int> ParseCopySuffix(std::u16string_view text);

// A due date and time as the user reads and types it: the text of the entry
// editor's date field, and the parts of a DueStamp.
//
// A due is well formed when it is a real date and time of a year from
// kMinDueYear to kMaxDueYear. ReadDueField gives only well-formed dues (or 0),
// and for every well-formed due ReadDueField(FormatDueForEditing(due), today)
// == due, so accepting the editor without touching the date never changes a due.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/core/note_record.h"

// Years below 100 are typed short (24 means 2024), so 100 is the first year
// a date field can give; after 9999 a stamp would no longer sort before the
// undated entries nor fit four year digits.
constexpr int kMinDueYear = 100;
constexpr int kMaxDueYear = 9999;

struct DueParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    bool operator==(const DueParts&) const = default;
};

// The digits of a stamp: year = due / 10^8 (saturated to the int range),
// then two digits each for month, day, hour and minute.
DueParts SplitDueStamp(DueStamp due);

// year · 10^8 + month · 10^6 + day · 10^4 + hour · 100 + minute.
DueStamp MakeDueStamp(const DueParts& parts);

// The date alone: year · 10^4 + month · 100 + day.
DateStamp DateStampOf(const DueParts& parts);

// A real date and time of a year in kMinDueYear..kMaxDueYear.
bool IsWellFormedDue(DueStamp due);

// The date field as typed, read wholly or not at all: white space around it
// is ignored, and a blank field is no date (0). Otherwise it is a date, a
// date and a time with white space between them, or a time alone (today):
//   date: day/month/year, day/month (the next such day from `today`, today
//         counting), or year/month/day when the first number has four digits;
//         '/', '.' or '-' between the numbers, the same one each time;
//   time: hour:minute, hourhminute or hourh ('h' or 'H'), minute 00..59 in
//         two digits, hour 0..23 in one or two; no time is midnight.
// Day and month take one or two digits, the year two (24 is 2024) or four.
// A day past the month's end (up to 31) is the month's last day. Anything
// else (a sign, a letter, a number out of range or of other length, more
// text after the time) makes the field unreadable: nullopt. `today` is
// YYYYMMDD.
std::optional<DueStamp> ReadDueField(std::u16string_view text, DateStamp today);

// "dd/mm/yyyy hh:mm" with at least four year digits; empty for due ≤ 0.
// A malformed stamp (only a damaged file holds one) is written digit for digit.
std::u16string FormatDueForEditing(DueStamp due);

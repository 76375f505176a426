// A due date and time as the user reads and types it: the text of the entry
// editor's date field, and the parts of a DueStamp.
//
// A due is well formed when it is a real date and time of a year from
// kMinDueYear to kMaxDueYear. ParseDueText gives only well-formed dues (or 0),
// and for every well-formed due ParseDueText(FormatDueForEditing(due)) == due,
// so accepting the editor without touching the date never changes a due.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/note_record.h"

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

// "day/month/year hour:minute" read as a formatted-input scan of
// "%d/%d/%d %d:%d": each number may have leading white space and a sign, '/'
// and ':' must follow a number directly, any white space (or none) separates
// year and hour; the scan stops at the first mismatch. Fewer than 3 numbers,
// a month outside 1..12, a day below 1 or a year outside the supported range
// give 0 (no date). A year 0..99 means 2000..2099. Hour and minute are used
// only when both were read and valid, each one otherwise 0. A day past the
// month's end becomes its last day. Numbers too large to hold saturate.
DueStamp ParseDueText(std::u16string_view text);

// "dd/mm/yyyy hh:mm" with at least four year digits; empty for due ≤ 0.
// A malformed stamp (only a damaged file holds one) is written digit for digit.
std::u16string FormatDueForEditing(DueStamp due);

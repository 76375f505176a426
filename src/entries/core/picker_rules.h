// How the values of the date and time picker start and change: the month
// shown and the day selected, the hour and minute fields, the month title.
#pragma once

#include <string>
#include <string_view>

#include "entries/core/due_text.h"

constexpr int kHourModulus = 24;
constexpr int kMinuteModulus = 60;

// The parts the picker opens on: those of `value` when it is a well-formed
// due, otherwise `now` (the current local date and time) with its year held
// inside kMinDueYear..kMaxDueYear.
DueParts PickerStartParts(DueStamp value, const DueParts& now);

// The month before or after the one shown, across a year end, with the
// selected day lowered to the new month's length. The picker stays inside
// kMinDueYear..kMaxDueYear: before January of the first year and after
// December of the last nothing changes. Hour and minute are kept.
DueParts PreviousMonth(const DueParts& shown);
DueParts NextMonth(const DueParts& shown);

// ((value + step) mod modulus + modulus) mod modulus; 0 for a modulus below 1.
int StepSpinValue(int value, int step, int modulus);

// The number in an hour or minute field: leading digits after optional white
// space, 0 when there are none, saturated at the largest int.
int ReadFieldNumber(std::u16string_view text);

// The hour and minute of their fields on OK: 0 when empty, at most 23 and 59.
int TypedHour(std::u16string_view text);
int TypedMinute(std::u16string_view text);

// A field value written with at least two digits ("%02d").
std::u16string TwoDigitText(int value);

// The translated month name, a space and the year; the name is empty for a
// month outside 1..12.
std::u16string MonthTitle(int year, int month);

// Plain Gregorian calendar arithmetic for the date fields and the month grid.
// Proleptic Gregorian rules for every year, with no clock and no time zone.
#pragma once

// 28 to 31 days; February has 29 in a year divisible by 4 and not by 100,
// or divisible by 400. 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// The weekday of the 1st of the month, 0 = Monday .. 6 = Sunday; 0 for a
// month outside 1..12.
int FirstWeekdayOfMonth(int year, int month);

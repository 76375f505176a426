// When an entry of a scheduled note is announced, and the stamps the due scan
// compares: the local minute now and the local date of the scan.
#pragma once

#include <cstddef>
#include <vector>

#include "storage/note_record.h"

// YYYYMMDDHHMM of a local date and time; seconds play no part.
DueStamp DueStampFromLocalTime(int year, int month, int day, int hour, int minute);

// YYYYMMDD of a local date.
DateStamp DateStampFromDate(int year, int month, int day);

// True when the entry's minute has come (to the minute, so an entry due at
// 14:05 fires from 14:05:00 on) and it is dated, not done and not yet
// announced.
bool IsEntryDue(const NoteEntry& entry, DueStamp now);

// Indices of the entries that fire now, in list order. Only a scheduled note
// announces its entries; every other type gives none.
std::vector<std::size_t> DueEntryIndices(const Note& note, DueStamp now);

// True when a previous scan happened on another day than today. The first
// scan of the process (lastScanDate 0) is no day change.
bool DayChanged(DateStamp lastScanDate, DateStamp today);

// When an entry of a scheduled note is announced, and when the day has changed
// since the previous scan.
#pragma once

#include <cstddef>
#include <vector>

#include "storage/core/note_record.h"

// True when the entry's minute has come (to the minute, so an entry due at
// 14:05 fires from 14:05:00 on) and it is dated, not done and not yet
// announced.
bool IsEntryDue(const NoteEntry& entry, DueStamp now);

// Indices of the entries that fire now, in list order. Only a scheduled note
// announces its entries; every other type gives none.
std::vector<std::size_t> DueEntryIndices(const Note& note, DueStamp now);

// A due entry found by a scan: which note (its place in the scan's walk),
// which entry of it, and when it fell due.
struct DueCandidate {
    std::size_t note = 0;
    std::size_t entry = 0;
    DueStamp due = 0;
};

// The entries one scan announces: at most `limit` of them (the toasts the
// stack can show at once), oldest due first, ties in walk order. The others
// stay armed for a later scan; announcing more than the stack holds would
// close the first toasts before anyone saw them.
std::vector<DueCandidate> EntriesToAnnounce(std::vector<DueCandidate> candidates, int limit);

// True when a previous scan happened on another day than today. The first
// scan of the process (lastScanDate 0) is no day change.
bool DayChanged(DateStamp lastScanDate, DateStamp today);

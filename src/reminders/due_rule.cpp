#include "reminders/due_rule.h"

namespace {

// Each field takes two decimal digits of the stamp (the year takes the rest).
constexpr std::int64_t kTwoDigits = 100;

}  // namespace

DueStamp DueStampFromLocalTime(int year, int month, int day, int hour, int minute) {
    return (DateStampFromDate(year, month, day) * kTwoDigits + hour) * kTwoDigits + minute;
}

DateStamp DateStampFromDate(int year, int month, int day) {
    return (std::int64_t{year} * kTwoDigits + month) * kTwoDigits + day;
}

bool IsEntryDue(const NoteEntry& entry, DueStamp now) {
    return entry.due > 0 && entry.due <= now && entry.done == 0 && entry.notified == 0;
}

std::vector<std::size_t> DueEntryIndices(const Note& note, DueStamp now) {
    std::vector<std::size_t> indices;
    if (note.type != kNoteScheduled) return indices;
    for (std::size_t i = 0; i < note.entries.size(); ++i) {
        if (IsEntryDue(note.entries[i], now)) indices.push_back(i);
    }
    return indices;
}

bool DayChanged(DateStamp lastScanDate, DateStamp today) {
    return lastScanDate != 0 && lastScanDate != today;
}

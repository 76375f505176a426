#include "reminders/due_rule.h"

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

#include "reminders/core/due_rule.h"

#include <algorithm>

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

std::vector<DueCandidate> EntriesToAnnounce(std::vector<DueCandidate> candidates, int limit) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const DueCandidate& a, const DueCandidate& b) { return a.due < b.due; });
    const std::size_t kept = static_cast<std::size_t>(std::max(limit, 0));
    if (candidates.size() > kept) candidates.resize(kept);
    return candidates;
}

bool DayChanged(DateStamp lastScanDate, DateStamp today) {
    return lastScanDate != 0 && lastScanDate != today;
}

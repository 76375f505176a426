#include "storage/core/note_record.h"

#include <algorithm>

#include "storage/core/lenient_number.h"

namespace {

DueStamp SortKey(const NoteEntry& entry) { return entry.due == 0 ? kNoEntryDue : entry.due; }

}  // namespace

void SortEntries(std::vector<NoteEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const NoteEntry& a, const NoteEntry& b) {
        return SortKey(a) < SortKey(b);
    });
}

bool IsBlankText(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return c == u'\0' || IsWideSpace(c); });
}

#include "notes/core/entry_list_layout.h"

#include <algorithm>
#include <limits>

#include "entries/core/due_text.h"
#include "i18n/core/translation.h"
#include "storage/core/lenient_number.h"

namespace {

constexpr int kCheckBoxLeft = 6;
constexpr int kCheckBoxRight = 21;  // exclusive: the outline ends at x 20
constexpr int kCheckBoxTop = 4;     // from the row top
constexpr int kCheckBoxBottom = 19;
constexpr std::array<Point, 3> kCheckMarkOffsets{Point{9, 11}, Point{12, 16}, Point{19, 6}};

constexpr int kDeleteMarkWidth = 18;  // also the whole right strip a click deletes in
constexpr int kDeleteMarkRightInset = 4;
constexpr int kDeleteMarkTop = 4;
constexpr int kDeleteMarkBottom = 18;

constexpr int kDueLeftInset = 140;
constexpr int kDueRightInset = 24;

constexpr int kTextLeft = 27;
constexpr int kTextRightInset = 146;
constexpr int kStrikeThroughOffset = 12;

constexpr int kAddRowLeft = 6;
constexpr int kAddRowRightInset = 4;

constexpr std::int32_t kFirstEntryId = 1;

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr int kLineBreakLength = 2;

// An edit control reports character positions in 16 bits.
constexpr int kLowBitsMask = 0xFFFF;

bool IsShown(const NoteEntry& entry, DateStamp today) { return entry.done == 0 || entry.doneDate == today; }

// The row under a client y, truncating toward zero as the list always has:
// the four pixels above the first row count as that row.
int RowAt(int y) { return (y - kEntryListTop) / kEntryRowHeight; }

bool IsOnCheckBox(Point client, int top) {
    return client.x >= kCheckBoxLeft && client.x < kCheckBoxRight && client.y >= top + kCheckBoxTop &&
           client.y < top + kCheckBoxBottom;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::vector<std::size_t> VisibleEntries(const std::vector<NoteEntry>& entries, DateStamp today) {
    std::vector<std::size_t> visible;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsShown(entries[i], today)) visible.push_back(i);
    }
    return visible;
}

int ShownRowCount(std::size_t visibleCount, int clientHeight) {
    const int rowsAvailable = std::max(1, (clientHeight - kEntryListTop) / kEntryRowHeight);
    const auto rowsForEntries = static_cast<std::size_t>(rowsAvailable - 1);
    return static_cast<int>(std::min(visibleCount, rowsForEntries));
}

int EntryRowTop(int row) { return kEntryListTop + kEntryRowHeight * row; }

Rect CheckBoxRect(int row) {
    const int top = EntryRowTop(row);
    return Rect{kCheckBoxLeft, top + kCheckBoxTop, kCheckBoxRight, top + kCheckBoxBottom};
}

std::array<Point, 3> CheckMarkPoints(int row) {
    const int top = EntryRowTop(row);
    std::array<Point, 3> points = kCheckMarkOffsets;
    for (Point& point : points) point.y += top;
    return points;
}

Rect DeleteMarkRect(int row, int clientWidth) {
    const int top = EntryRowTop(row);
    return Rect{clientWidth - kDeleteMarkWidth, top + kDeleteMarkTop, clientWidth - kDeleteMarkRightInset,
                top + kDeleteMarkBottom};
}

Rect DueTextRect(int row, int clientWidth) {
    const int top = EntryRowTop(row);
    return Rect{clientWidth - kDueLeftInset, top, clientWidth - kDueRightInset, top + kEntryRowHeight};
}

Rect EntryTextRect(int row, int clientWidth) {
    const int top = EntryRowTop(row);
    return Rect{kTextLeft, top, clientWidth - kTextRightInset, top + kEntryRowHeight};
}

LineSegment StrikeThroughLine(int row, int clientWidth, int textWidth) {
    const int y = EntryRowTop(row) + kStrikeThroughOffset;
    const int room = std::max(0, clientWidth - kTextRightInset - kTextLeft);
    const int length = std::clamp(textWidth, 0, room);
    return LineSegment{Point{kTextLeft, y}, Point{kTextLeft + length, y}};
}

Rect AddRowRect(int shownRows, int clientWidth) {
    const int top = EntryRowTop(shownRows);
    return Rect{kAddRowLeft, top, clientWidth - kAddRowRightInset, top + kEntryRowHeight};
}

EntryListClick EntryListClickAt(Point client, int clientWidth, int clientHeight,
                                const std::vector<std::size_t>& visible) {
    if (client.y < kEntryListClickTop) return EntryListClick{};
    const int shown = ShownRowCount(visible.size(), clientHeight);
    const int row = RowAt(client.y);
    if (row == shown) return EntryListClick{EntryClickKind::Add, 0};
    if (row > shown) return EntryListClick{};

    const std::size_t entry = visible[static_cast<std::size_t>(row)];
    if (IsOnCheckBox(client, EntryRowTop(row))) return EntryListClick{EntryClickKind::ToggleDone, entry};
    if (client.x >= clientWidth - kDeleteMarkWidth) return EntryListClick{EntryClickKind::Delete, entry};
    return EntryListClick{EntryClickKind::Edit, entry};
}

std::optional<std::size_t> EntryMenuRowAt(Point client, int clientHeight, const std::vector<std::size_t>& visible) {
    if (client.y < kEntryListTop) return std::nullopt;
    const int row = RowAt(client.y);
    if (row >= ShownRowCount(visible.size(), clientHeight)) return std::nullopt;
    return visible[static_cast<std::size_t>(row)];
}

std::u16string FormatDue(DueStamp due) {
    if (due <= 0) return Translate(u"(sans date)");
    const DueParts parts = SplitDueStamp(due);
    constexpr std::size_t kWidth = 2;  // the year too: its last two digits
    return PaddedDecimalText(parts.day, kWidth) + u'/' + PaddedDecimalText(parts.month, kWidth) + u'/' +
           PaddedDecimalText(parts.year % 100, kWidth) + u' ' + PaddedDecimalText(parts.hour, kWidth) + u':' +
           PaddedDecimalText(parts.minute, kWidth);
}

std::u16string EntryPreview(const std::u16string& text, std::size_t limit) {
    if (text.empty()) return u"(ligne vide)";
    if (text.size() <= limit) return text;
    std::size_t cut = limit;
    // Half a character would be drawn as a box; leave the whole pair out.
    if (cut > 0 && IsHighSurrogate(text[cut - 1])) --cut;
    return text.substr(0, cut) + u'…';
}

std::int32_t NextEntryId(const std::vector<NoteEntry>& entries) {
    if (entries.empty()) return kFirstEntryId;
    const auto largest = std::max_element(entries.begin(), entries.end(), [](const NoteEntry& a, const NoteEntry& b) {
                             return a.id < b.id;
                         })->id;
    if (largest < std::numeric_limits<std::int32_t>::max()) return largest + 1;
    // A damaged file can hold the largest id; with n entries one of 1..n+1 is free.
    std::vector<bool> used(entries.size() + 2, false);
    for (const NoteEntry& entry : entries) {
        if (entry.id >= kFirstEntryId && static_cast<std::size_t>(entry.id) < used.size()) {
            used[static_cast<std::size_t>(entry.id)] = true;
        }
    }
    std::int32_t id = kFirstEntryId;
    while (used[static_cast<std::size_t>(id)]) ++id;
    return id;
}

std::optional<std::size_t> FindEntry(const std::vector<NoteEntry>& entries, const NoteEntry& copy) {
    const auto same = std::find(entries.begin(), entries.end(), copy);
    if (same != entries.end()) return static_cast<std::size_t>(same - entries.begin());
    const auto sameId =
        std::find_if(entries.begin(), entries.end(), [&copy](const NoteEntry& entry) { return entry.id == copy.id; });
    if (sameId != entries.end()) return static_cast<std::size_t>(sameId - entries.begin());
    return std::nullopt;
}

void ToggleEntryDone(NoteEntry& entry, DateStamp today) {
    entry.done = entry.done == 0 ? 1 : 0;
    entry.doneDate = entry.done == 1 ? today : 0;
}

NoteEntry EditedEntry(const NoteEntry& original, const NoteEntry& edited) {
    NoteEntry entry = original;
    entry.text = edited.text;
    if (edited.due != original.due) {
        entry.due = edited.due;
        entry.notified = 0;
    }
    return entry;
}

TextLine TextLineAt(const std::u16string& text, int position) {
    const auto target = static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(text.size())));
    TextLine found;
    bool isFound = false;
    std::size_t start = 0;
    int index = 0;
    for (;;) {
        const std::size_t lineBreak = text.find(kLineBreak, start);
        const std::size_t end = lineBreak == std::u16string::npos ? text.size() : lineBreak;
        // A position on the line break still belongs to the line it ends.
        if (!isFound && (lineBreak == std::u16string::npos || target < end + kLineBreakLength)) {
            found = TextLine{static_cast<int>(start), static_cast<int>(end - start), index, 0};
            isFound = true;
        }
        if (lineBreak == std::u16string::npos) break;
        start = end + kLineBreakLength;
        ++index;
    }
    found.count = index + 1;
    return found;
}

int CharIndexFromLowBits(int lowBits, int firstVisibleIndex) {
    const int low = lowBits & kLowBitsMask;
    const int start = std::max(0, firstVisibleIndex);
    return start + ((low - (start & kLowBitsMask)) & kLowBitsMask);
}

TextRange LineDeletionRange(int start, int length, int lineIndex, int lineCount) {
    TextRange range{start, start + length};
    if (lineIndex < lineCount - 1) {
        range.end += kLineBreakLength;
    } else if (start >= kLineBreakLength) {
        range.begin -= kLineBreakLength;
    }
    return range;
}

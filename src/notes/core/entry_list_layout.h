// The entry list of a scheduled note: which entries are shown, where each row
// and its parts are drawn, what a click on it does, and the small entry rules
// behind those clicks. Client pixels of the note window, never scaled.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/rect.h"
#include "storage/core/note_record.h"
#include "ui/core/title_band.h"

constexpr int kEntryListTop = 34;
constexpr int kEntryRowHeight = 24;
// Clicks from here down go to the entry list (the header ends here).
constexpr int kEntryListClickTop = 30;
// Characters of a line or entry shown as the caption of its menu.
constexpr std::size_t kEntryPreviewLength = 28;

// Indices into `entries`, in list order, of the open entries and of the done
// entries ticked on `today`.
std::vector<std::size_t> VisibleEntries(const std::vector<NoteEntry>& entries, DateStamp today);

// How many visible entries get a row in a client area `clientHeight` high:
// all of them when the add row still fits below, otherwise one row fewer
// than fit, so that the add row always does.
int ShownRowCount(std::size_t visibleCount, int clientHeight);

int EntryRowTop(int row);
Rect CheckBoxRect(int row);
// The tick inside the check box of a done entry, as a polyline.
std::array<Point, 3> CheckMarkPoints(int row);
Rect DeleteMarkRect(int row, int clientWidth);
Rect DueTextRect(int row, int clientWidth);
Rect EntryTextRect(int row, int clientWidth);
// Across a done entry's text, as long as the text, cut at the text box's
// right edge; never running left of its start.
LineSegment StrikeThroughLine(int row, int clientWidth, int textWidth);
// The "+ Ajouter une entree" row below `shownRows` entry rows.
Rect AddRowRect(int shownRows, int clientWidth);

enum class EntryClickKind { Nothing, ToggleDone, Delete, Edit, Add };

struct EntryListClick {
    EntryClickKind kind = EntryClickKind::Nothing;
    std::size_t entry = 0;  // index into the note's entries, for ToggleDone, Delete and Edit
    bool operator==(const EntryListClick&) const = default;
};

// What a left click at a client point does. Points above the entry list
// (y below kEntryListClickTop) do nothing; y 30..33 counts as the first row.
EntryListClick EntryListClickAt(Point client, int clientWidth, int clientHeight,
                                const std::vector<std::size_t>& visible);

// The entry whose row is under a client point, for the entry menu; none
// above the first row, on the add row or below it.
std::optional<std::size_t> EntryMenuRowAt(Point client, int clientHeight,
                                          const std::vector<std::size_t>& visible);

// "dd/mm/yy hh:mm" for due > 0, otherwise the translated "(sans date)".
std::u16string FormatDue(DueStamp due);

// The text itself when it holds at most `limit` UTF-16 units, else its first
// units followed by "…" (never splitting a surrogate pair); "(ligne vide)"
// for an empty text.
std::u16string EntryPreview(const std::u16string& text, std::size_t limit);

// An id that no entry of the list has: the largest id plus 1, 1 for an empty
// list. When the largest id is already the largest int32, the smallest
// positive id not in use.
std::int32_t NextEntryId(const std::vector<NoteEntry>& entries);

// Where an entry copied before a dialog or menu is now: the first entry equal
// to it, else the first with its id (a field changed meanwhile, say the
// reminder fired); none when it has gone. The list may have been sorted or
// changed while the dialog was open, so an index taken before is not enough.
std::optional<std::size_t> FindEntry(const std::vector<NoteEntry>& entries, const NoteEntry& copy);

// Ticks an open entry off on `today`, or opens a done one again (clearing
// its doneDate). `notified` is left as it is.
void ToggleEntryDone(NoteEntry& entry, DateStamp today);

// The original entry with the text and due the editor returned; a changed
// due re-arms the reminder (notified 0).
NoteEntry EditedEntry(const NoteEntry& original, const NoteEntry& edited);

// A line of a multi-line text: its first character and its length, without
// the line break.
struct TextLine {
    int start = 0;
    int length = 0;
    int index = 0;  // 0 for the first line
    int count = 1;  // lines in the whole text
    bool operator==(const TextLine&) const = default;
};

// The line, between CR LF breaks, that holds the character at `position`
// (clamped into the text). Lines wrapped on the screen stay one line.
TextLine TextLineAt(const std::u16string& text, int position);

// The whole character index of an edit control from the low 16 bits its
// position query gives, for a point on the screen: the first index at or
// after the first visible character that has those low bits. A screenful of
// text is far shorter than 65536 characters, so this is the character shown.
int CharIndexFromLowBits(int lowBits, int firstVisibleIndex);

struct TextRange {
    int begin = 0;
    int end = 0;
    bool operator==(const TextRange&) const = default;
};

// The characters to delete to take a line out of a multi-line text: the line
// and the CR LF after it, or, for the last line, the CR LF before it.
TextRange LineDeletionRange(int start, int length, int lineIndex, int lineCount);

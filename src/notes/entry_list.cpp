#include "notes/entry_list.h"

#include <vector>

#include "entries/entry_editor.h"
#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "notes/core/entry_list_layout.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "ui/core/colour_rules.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr char16_t kDeleteMark[] = u"x";
constexpr UINT kRowText = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

struct RowPainter {
    HDC dc;
    int width;
    ColourRef text;   // ContrastTextColour of the note
    ColourRef muted;  // MutedTextColour of the note
};

void DrawInBox(HDC dc, const std::u16string& text, const Rect& box, ColourRef colour, UINT format) {
    RECT r = ToRECT(box);
    SetTextColor(dc, colour);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &r, format);
}

// The pen in the text colour is selected: it draws the box, the tick and the
// strike-through.
void PaintRow(const RowPainter& painter, int row, const NoteEntry& entry) {
    HDC dc = painter.dc;
    const bool done = entry.done == 1;
    const Rect box = CheckBoxRect(row);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (done) {
        const std::array<Point, 3> mark = CheckMarkPoints(row);
        const POINT points[] = {{mark[0].x, mark[0].y}, {mark[1].x, mark[1].y}, {mark[2].x, mark[2].y}};
        Polyline(dc, points, 3);
    }
    DrawInBox(dc, kDeleteMark, DeleteMarkRect(row, painter.width), painter.muted, kRowText | DT_CENTER);
    const ColourRef colour = done ? painter.muted : painter.text;
    DrawInBox(dc, FormatDue(entry.due), DueTextRect(row, painter.width), colour, kRowText | DT_RIGHT);
    DrawInBox(dc, entry.text, EntryTextRect(row, painter.width), colour, kRowText | DT_LEFT | DT_END_ELLIPSIS);
    if (done && !entry.text.empty()) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, Wide(entry.text), static_cast<int>(entry.text.size()), &extent);
        const LineSegment line = StrikeThroughLine(row, painter.width, extent.cx);
        MoveToEx(dc, line.from.x, line.from.y, nullptr);
        LineTo(dc, line.to.x, line.to.y);
    }
}

void ToggleDone(HWND noteWindow, Note& note, std::size_t index) {
    ToggleEntryDone(note.entries[index], TodayStamp());
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void DeleteEntry(HWND noteWindow, Note& note, std::size_t index) {
    note.entries.erase(note.entries.begin() + static_cast<std::ptrdiff_t>(index));
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void EditEntryWithEditor(HWND noteWindow, const Note& note, std::size_t index) {
    const NoteEntry original = note.entries[index];
    NoteEntry edited = original;
    if (!ShowEntryEditor(noteWindow, note.colour, edited)) return;
    // The note may have changed, or gone, while the editor was open.
    Note* now = NoteFromWindow(noteWindow);
    if (!now) return;
    const std::optional<std::size_t> found = FindEntry(now->entries, original);
    if (!found) return;
    now->entries[*found] = EditedEntry(now->entries[*found], edited);
    SortEntries(now->entries);
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void AppendEntry(HWND noteWindow, Note& note, NoteEntry entry) {
    entry.id = NextEntryId(note.entries);
    note.entries.push_back(std::move(entry));
    SortEntries(note.entries);
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

}  // namespace

DateStamp TodayStamp() {
    return DateStampOf(LocalNow());
}

void PaintEntryList(HDC dc, const Note& note, int clientWidth, int clientHeight) {
    const ColourRef text = ContrastTextColour(note.colour);
    const RowPainter painter{dc, clientWidth, text, MutedTextColour(note.colour)};
    SavedDcState saved(dc);
    SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    UniquePen pen(CreatePen(PS_SOLID, 1, text));
    SelectScope selectedPen(dc, pen.Get());
    SelectScope noFill(dc, GetStockObject(NULL_BRUSH));

    const std::vector<std::size_t> visible = VisibleEntries(note.entries, TodayStamp());
    const int shown = ShownRowCount(visible.size(), clientHeight);
    for (int row = 0; row < shown; ++row) PaintRow(painter, row, note.entries[visible[static_cast<std::size_t>(row)]]);
    DrawInBox(dc, Translate(u"+ Ajouter une entree"), AddRowRect(shown, clientWidth), painter.muted,
              kRowText | DT_LEFT);
}

void ClickEntryList(HWND noteWindow, Point client) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    RECT rect{};
    GetClientRect(noteWindow, &rect);
    const EntryListClick click =
        EntryListClickAt(client, rect.right, rect.bottom, VisibleEntries(note->entries, TodayStamp()));
    switch (click.kind) {
    case EntryClickKind::ToggleDone: ToggleDone(noteWindow, *note, click.entry); break;
    case EntryClickKind::Delete: DeleteEntry(noteWindow, *note, click.entry); break;
    case EntryClickKind::Edit: EditEntryWithEditor(noteWindow, *note, click.entry); break;
    case EntryClickKind::Add: AddEntryWithEditor(noteWindow); break;
    case EntryClickKind::Nothing: break;
    }
}

void AddEntryWithEditor(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    NoteEntry entry;
    if (!ShowEntryEditor(noteWindow, note->colour, entry)) return;
    // Its id is taken only now, from the list as it is now.
    if (Note* now = NoteFromWindow(noteWindow)) AppendEntry(noteWindow, *now, std::move(entry));
}

void AddEntry(HWND noteWindow, const std::u16string& text, DueStamp due) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    NoteEntry entry;
    entry.due = due;
    entry.text = text;
    AppendEntry(noteWindow, *note, std::move(entry));
}

#include "notes/entry_commands.h"

#include <optional>

#include "entries/date_time_picker.h"
#include "i18n/core/translation.h"
#include "notes/core/entry_list_layout.h"
#include "notes/entry_list.h"
#include "notes/note_commands.h"
#include "notes/note_creation.h"
#include "notes/note_removal.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "ui/owner_draw_menu.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr char16_t kLineBreak[] = u"\r\n";

// The entry, as copied before the menu opened, becomes the last line of the
// regular note of the same category. Without that note it stays here.
void TransferEntryToNote(HWND noteWindow, const NoteEntry& entry) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note || !FindEntry(note->entries, entry)) return;
    HWND target = FindOrCreateNote(note->categoryId, note->subcategoryId, kNoteRegular);
    if (!target) return;
    AppendNoteLine(target, entry.text);

    Note* source = NoteFromWindow(noteWindow);
    const std::optional<std::size_t> index = source ? FindEntry(source->entries, entry) : std::nullopt;
    if (!index) return;
    source->entries.erase(source->entries.begin() + static_cast<std::ptrdiff_t>(*index));
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
    DiscardNoteIfBlank(noteWindow);
}

// Takes the line out of the edit with its line break, as one undoable edit.
void RemoveLine(HWND edit, const TextLine& line) {
    const TextRange range = LineDeletionRange(line.start, line.length, line.index, line.count);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(range.begin), static_cast<LPARAM>(range.end));
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

}  // namespace

void AppendNoteLine(HWND noteWindow, const std::u16string& text) {
    HWND edit = NoteEditOf(noteWindow);
    if (!NoteFromWindow(noteWindow) || !edit) return;
    std::u16string body = WindowText(edit);
    if (!body.empty()) body += kLineBreak;
    body += text;
    SetWindowTextW(edit, Wide(body));
    SaveNote(noteWindow);
}

bool ShowEntryMenu(HWND noteWindow, int x, int y) {
    const Note* note = NoteFromWindow(noteWindow);
    // A docked note is a bare strip: it shows no rows to choose from.
    if (!note || note->type != kNoteScheduled || note->dock != kDockNone) return false;
    POINT client{x, y};
    ScreenToClient(noteWindow, &client);
    RECT rect{};
    GetClientRect(noteWindow, &rect);
    const std::optional<std::size_t> row =
        EntryMenuRowAt(Point{client.x, client.y}, rect.bottom, VisibleEntries(note->entries, TodayStamp()));
    if (!row) return false;

    const NoteEntry entry = note->entries[*row];  // the note is read again after the menu
    OwnerDrawItems records;
    HMENU menu = CreatePopupMenu();
    AppendOwnerDrawItem(menu, MF_GRAYED, 0, EntryPreview(entry.text, kEntryPreviewLength), records,
                        MenuTextKind::Literal);
    AppendOwnerDrawItem(menu, MF_SEPARATOR, 0, u"", records);
    AppendOwnerDrawItem(menu, MF_STRING, kTransferEntryCommand, Translate(u"Transferer vers une note normale"),
                        records);
    if (TrackNoteMenu(noteWindow, menu, x, y) == kTransferEntryCommand) TransferEntryToNote(noteWindow, entry);
    return true;
}

void ConvertLineToEntry(HWND noteWindow, int lineStart, const std::u16string& lineText, POINT anchor) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note || lineText.empty()) return;
    DueStamp due = 0;
    if (!ShowDateTimePicker(noteWindow, note->colour, anchor, due)) return;

    // The note may have gone, or its text changed, while the picker was open.
    note = NoteFromWindow(noteWindow);
    HWND edit = NoteEditOf(noteWindow);
    if (!note || !edit) return;
    const std::u16string text = WindowText(edit);
    const TextLine line = TextLineAt(text, lineStart);
    if (line.start != lineStart || text.compare(static_cast<std::size_t>(line.start),
                                                static_cast<std::size_t>(line.length), lineText) != 0) {
        return;
    }
    HWND target = FindOrCreateNote(note->categoryId, note->subcategoryId, kNoteScheduled);
    if (!target) return;  // the line stays rather than vanish
    AddEntry(target, lineText, due);
    RemoveLine(edit, line);
    SaveNote(noteWindow);
    // This runs inside the edit's own message handling: the note must not
    // be destroyed under it, so the discard comes afterwards.
    PostMessageW(noteWindow, WM_NOTE_DISCARD_IF_BLANK, 0, 0);
}

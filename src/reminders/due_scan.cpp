#include "reminders/due_scan.h"

#include <windows.h>

#include <string>
#include <vector>

#include "categories/category_passes.h"
#include "entries/local_clock.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "reminders/due_rule.h"
#include "reminders/toast_window.h"
#include "storage/category_storage.h"
#include "ui/modal_dialog.h"

namespace {

DateStamp lastScanDate = 0;  // the local date of the previous scan; 0 before the first

// A note window and the indices of its entries that fire now.
struct DueNote {
    HWND window = nullptr;
    std::vector<std::size_t> entries;
};

// Found in one walk, before any toast is made: showing toasts creates and
// destroys windows, which is best kept out of the walk over them.
std::vector<DueNote> NotesWithDueEntries(DueStamp now) {
    std::vector<DueNote> dueNotes;
    ForEachNoteWindow([&dueNotes, now](HWND window) {
        std::vector<std::size_t> entries = DueEntryIndices(*NoteFromWindow(window), now);
        if (!entries.empty()) dueNotes.push_back(DueNote{window, std::move(entries)});
    });
    return dueNotes;
}

// The entry of a note window, or null when the window, its note or the
// entry is gone.
NoteEntry* EntryOf(HWND noteWindow, std::size_t index) {
    Note* note = NoteFromWindow(noteWindow);
    return note && index < note->entries.size() ? &note->entries[index] : nullptr;
}

// Shows a toast for each due entry of the note, in list order, marks those
// shown and saves the note once when any was marked.
void AnnounceDueEntries(const DueNote& due) {
    const HWND noteWindow = due.window;
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    const std::u16string title = CategoryLabel(Categories(), note->categoryId, note->subcategoryId);
    const ColourRef colour = note->colour;
    bool marked = false;
    for (const std::size_t index : due.entries) {
        const NoteEntry* entry = EntryOf(noteWindow, index);
        if (!entry) break;
        if (!ShowToast(title, entry->text, colour)) continue;  // still due at the next scan
        // Looked up again: showing a toast runs window code, and the note
        // is reached through its window only.
        NoteEntry* shown = EntryOf(noteWindow, index);
        if (!shown) break;
        shown->notified = 1;
        marked = true;
    }
    if (marked) SaveNote(noteWindow);
}

}  // namespace

void ScanDueEntries() {
    ScanDueEntriesAt(LocalNow());
}

void ScanDueEntriesAt(const DueParts& now) {
    const DateStamp today = DateStampOf(now);
    if (DayChanged(lastScanDate, today)) RepaintAllNotes();  // date-dependent texts
    lastScanDate = today;
    if (ModalDialogActive()) return;
    const DueStamp stamp = MakeDueStamp(now);
    for (const DueNote& due : NotesWithDueEntries(stamp)) AnnounceDueEntries(due);
}

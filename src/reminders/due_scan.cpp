#include "reminders/due_scan.h"

#include <windows.h>

#include <string>
#include <vector>

#include "entries/local_clock.h"
#include "notes/core/note_title.h"
#include "notes/note_passes.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "reminders/core/due_rule.h"
#include "reminders/reminders_state.h"
#include "reminders/toast_window.h"
#include "storage/category_storage.h"
#include "ui/modal_dialog.h"

namespace {

// Every due entry of every note, found in one walk before any toast is
// made: showing toasts creates and destroys windows, which is best kept out
// of the walk over them.
struct DueFound {
    std::vector<HWND> windows;  // a candidate's note is its index here
    std::vector<DueCandidate> candidates;
};

DueFound FindDueEntries(DueStamp now) {
    DueFound found;
    ForEachNoteWindow([&found, now](HWND window) {
        const Note& note = *NoteFromWindow(window);
        const std::vector<std::size_t> entries = DueEntryIndices(note, now);
        if (entries.empty()) return;
        for (const std::size_t index : entries) {
            found.candidates.push_back({found.windows.size(), index, note.entries[index].due});
        }
        found.windows.push_back(window);
    });
    return found;
}

// The entry of a note window, or null when the window, its note or the
// entry is gone.
NoteEntry* EntryOf(HWND noteWindow, std::size_t index) {
    Note* note = NoteFromWindow(noteWindow);
    return note && index < note->entries.size() ? &note->entries[index] : nullptr;
}

// Shows a toast for the entry and marks it notified once the toast is on the
// screen. True when it was marked.
bool AnnounceEntry(HWND noteWindow, std::size_t index) {
    const Note* note = NoteFromWindow(noteWindow);
    const NoteEntry* entry = EntryOf(noteWindow, index);
    if (!note || !entry) return false;
    const std::u16string title = CategoryLabel(Categories(), note->categoryId, note->subcategoryId);
    if (!ShowToast(title, entry->text, note->colour)) return false;  // still due at the next scan
    // Looked up again: showing a toast runs window code, and the note is
    // reached through its window only.
    NoteEntry* shown = EntryOf(noteWindow, index);
    if (!shown) return false;
    shown->notified = 1;
    return true;
}

}  // namespace

void ScanDueEntries() {
    ScanDueEntriesAt(LocalNow());
}

void ScanDueEntriesAt(const DueParts& now) {
    const DateStamp today = DateStampOf(now);
    DateStamp& lastScanDate = CurrentRemindersState().lastScanDate;
    if (DayChanged(lastScanDate, today)) RepaintAllNotes();  // date-dependent texts
    lastScanDate = today;
    if (ModalDialogActive()) return;
    const DueFound found = FindDueEntries(MakeDueStamp(now));
    std::vector<bool> marked(found.windows.size(), false);
    for (const DueCandidate& chosen : EntriesToAnnounce(found.candidates, ToastStackCapacity())) {
        if (AnnounceEntry(found.windows[chosen.note], chosen.entry)) marked[chosen.note] = true;
    }
    // Each note once, after all its entries are marked.
    for (std::size_t i = 0; i < found.windows.size(); ++i) {
        if (marked[i]) SaveNote(found.windows[i]);
    }
}

#include "notes/note_passes.h"

#include "notes/core/docking_geometry.h"
#include "notes/docking.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "ui/screen_geometry.h"

namespace {

// True when the note had to change to match the store.
bool ReconcileWithStore(HWND window, Note& note) {
    const CategoryStore& store = Categories();
    const Category* category = FindCategory(store, note.categoryId);
    if (!category) {
        // Its colour stays: the note keeps looking as it did.
        note.categoryId = 0;
        note.subcategoryId = 0;
        return true;
    }
    bool changed = false;
    if (note.subcategoryId != 0 && !FindSubcategory(store, note.categoryId, note.subcategoryId)) {
        note.subcategoryId = 0;
        changed = true;
    }
    if (category->colour != note.colour) {
        SetNoteBackground(window, category->colour);
        changed = true;
    }
    return changed;
}

}  // namespace

void DockAllNotes() {
    ForEachNoteWindow([](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (note->dock != kDockNone) return;
        DockNote(window, DockAllEdge(note->lastDock, WindowRectOf(window), WorkAreaNearWindow(window)));
    });
}

void UndockAllNotes() {
    ForEachNoteWindow([](HWND window) {
        if (NoteFromWindow(window)->dock != kDockNone || IsUndockedForAMoment(window)) UndockNote(window);
    });
}

void SaveAllNotes() {
    ForEachNoteWindow(SaveNote);
}

void RetryFailedNoteSaves() {
    ForEachNoteWindow([](HWND window) {
        if (NoteFromWindow(window)->saveFailed) SaveNote(window);
    });
}

FailedNoteSaves CountFailedNoteSaves() {
    FailedNoteSaves failed;
    ForEachNoteWindow([&failed](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (!note->saveFailed) return;
        if (failed.count++ == 0) failed.firstError = note->saveError;
    });
    return failed;
}

void RefreshNotesAfterCategoryChange() {
    ForEachNoteWindow([](HWND window) {
        Note* note = NoteFromWindow(window);
        if (note->categoryId == 0 || !ReconcileWithStore(window, *note)) return;
        RepaintNote(window);
        SaveNote(window);
    });
}

void RepaintAllNotes() {
    ForEachNoteWindow([](HWND window) { InvalidateRect(window, nullptr, TRUE); });
}

bool CatchUpWithCategoriesFile() {
    if (CategoriesFileRead()) return true;
    if (!RetryUnreadCategoriesFile()) return false;
    RefreshNotesAfterCategoryChange();
    RepaintAllNotes();  // the titles show the categories now
    return true;
}

void ApplyFilingMoves(const std::vector<FilingMove>& moves) {
    if (moves.empty()) return;
    ForEachNoteWindow([&moves](HWND window) {
        Note* note = NoteFromWindow(window);
        const auto [category, subcategory] = FilingAfterMerge(moves, note->categoryId, note->subcategoryId, note->colour);
        if (category == note->categoryId && subcategory == note->subcategoryId) return;
        note->categoryId = category;
        note->subcategoryId = subcategory;
        RepaintNote(window);
        SaveNote(window);
    });
}

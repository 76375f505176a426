#include "categories/category_passes.h"

#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"

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

void AssignNoteCategory(HWND noteWindow, std::int32_t categoryId, std::int32_t subcategoryId) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    const CategoryStore& store = Categories();
    const Category* category = FindCategory(store, categoryId);
    note->categoryId = category ? categoryId : 0;
    note->subcategoryId = category && FindSubcategory(store, categoryId, subcategoryId) ? subcategoryId : 0;
    if (category) SetNoteBackground(noteWindow, category->colour);
    RepaintNote(noteWindow);
    SaveNote(noteWindow);
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

#include "notes/note_commands.h"

#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "ui/colour_dialog.h"
#include "win/handles.h"

void SetNoteType(HWND noteWindow, std::uint32_t type) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note || type > kNotePlaceholder) return;
    note->type = static_cast<NoteType>(type);
    const bool showEdit = note->type == kNoteRegular && note->dock == kDockNone;
    ShowWindow(NoteEditOf(noteWindow), showEdit ? SW_SHOW : SW_HIDE);
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void TogglePin(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    note->pinned = !note->pinned;
    SetWindowPos(noteWindow, note->pinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void SetNoteColour(HWND noteWindow, ColourRef colour) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    SetNoteBackground(noteWindow, colour);
    // The colour names the category: exactly a category's colour files the
    // note under it, any other colour makes it uncategorised. While the
    // categories file cannot be read the store knows no category, and the
    // note keeps its own.
    if (CategoriesFileRead()) {
        const Category* category = FindCategoryByColour(Categories(), colour);
        note->categoryId = category ? category->id : 0;
        note->subcategoryId = 0;
    }
    RepaintNote(noteWindow);
    SaveNote(noteWindow);
}

void PickNoteColour(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    ColourRef colour = note ? note->colour : kDefaultNoteColour;
    if (ChooseColour(noteWindow, colour)) SetNoteColour(noteWindow, colour);
}

UINT TrackNoteMenu(HWND noteWindow, HMENU menu, int x, int y) {
    const Note* note = NoteFromWindow(noteWindow);
    UniqueBrush background(CreateSolidBrush(note ? note->colour : kDefaultNoteColour));
    UniqueMenu owned(menu);  // destroyed before the brush it paints with
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | MIM_STYLE | MIM_APPLYTOSUBMENUS;
    info.dwStyle = MNS_NOCHECK;  // the owner-drawn items paint their own marks
    info.hbrBack = background.Get();
    SetMenuInfo(menu, &info);
    SetForegroundWindow(noteWindow);  // so that a click elsewhere closes the menu
    return static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, noteWindow, nullptr));
}

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

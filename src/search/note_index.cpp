#include "search/note_index.h"

#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "win/window_text.h"

std::vector<SearchableNote> IndexNoteWindows() {
    std::vector<SearchableNote> notes;
    const CategoryStore& store = Categories();
    ForEachNoteWindow([&notes, &store](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (note->deleted) return;
        HWND edit = NoteEditOf(window);
        notes.push_back(MakeSearchableNote(*note, edit ? WindowText(edit) : std::u16string(), store, note->id));
    });
    return notes;
}

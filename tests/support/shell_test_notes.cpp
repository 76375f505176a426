#include "support/shell_test_notes.h"

#include "notes/note_creation.h"
#include "notes/note_loading.h"
#include "notes/note_window_state.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "support/program_names.h"
#include "support/windows_test_support.h"

HWND MakeNote(const TestNote& note) {
    NoteCreateParams params;
    params.id = note.id;
    params.x = note.x;
    params.y = note.y;
    params.width = note.width;
    params.height = note.height;
    params.colour = note.colour;
    params.categoryId = note.category;
    params.subcategoryId = note.subcategory;
    params.type = note.type;
    params.pinned = note.pinned;
    params.lastDock = note.lastDock;
    params.entries = note.entries;
    params.body = note.text;
    HWND window = CreateNoteWindow(params);
    if (note.pinned) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    return window;
}

HWND LoadTheOnlyNote() {
    LoadAllNotes(GetModuleHandleW(nullptr));
    const std::vector<HWND> notes = WindowsOfClass(kNoteClass);
    return notes.size() == 1 ? notes.front() : nullptr;
}

void AdoptFile(HWND note) {
    NoteWindowState* state = NoteWindowStateOf(note);
    const std::u16string path = NoteFileOf(note);
    state->fileVersion = FileVersionOf(path);
    state->fileBytes = ReadRawFile(path);
}

std::u16string NoteFileOf(HWND note) {
    return NoteFilePath(NoteFromWindow(note)->id);
}

std::string SavedFile(HWND note) {
    return ReadRawFile(NoteFileOf(note));
}

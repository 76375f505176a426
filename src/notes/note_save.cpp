#include "notes/note_save.h"

#include "notes/note_window_state.h"
#include "storage/note_file.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/window_text.h"

namespace {

std::u16string EditText(HWND noteWindow) {
    HWND edit = NoteEditOf(noteWindow);
    return edit ? WindowText(edit) : std::u16string();
}

Rect FloatingRect(HWND noteWindow, const Note& note) {
    if (note.dock != kDockNone) return note.undockedRect;
    RECT window{};
    GetWindowRect(noteWindow, &window);
    return Rect{window.left, window.top, window.right, window.bottom};
}

}  // namespace

bool IsNoteBlank(HWND noteWindow) {
    return IsBlankText(EditText(noteWindow));
}

void SaveNote(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note || note->deleted) return;

    const std::u16string body = EditText(noteWindow);
    // A blank floating note without entries has no file.
    if (IsBlankText(body) && note->dock == kDockNone && note->entries.empty()) {
        DeleteNoteFile(note->id);
        return;
    }
    const std::u16string text = FormatNoteFile(*note, FloatingRect(noteWindow, *note), body);
    WriteFileAtomic(NoteFilePath(note->id), EncodeUtf8(text));
}

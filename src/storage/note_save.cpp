#include "storage/note_save.h"

#include "notes/note_window.h"
#include "storage/note_file.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/wide.h"

namespace {

std::u16string EditText(HWND noteWindow) {
    HWND edit = NoteEditOf(noteWindow);
    if (!edit) return {};
    const int length = GetWindowTextLengthW(edit);
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(edit, WideBuffer(text), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
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

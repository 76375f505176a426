#include "notes/note_save.h"

#include "notes/note_window_state.h"
#include "storage/core/note_file.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/window_text.h"

namespace {

// The text of the note's edit; false when the edit is missing, and then
// nothing is known of the text: it is not blank, and it must not be saved.
bool ReadEditText(HWND noteWindow, std::u16string& text) {
    HWND edit = NoteEditOf(noteWindow);
    if (!edit) return false;
    text = WindowText(edit);
    return true;
}

Rect FloatingRect(HWND noteWindow, const Note& note) {
    if (note.dock != kDockNone) return note.undockedRect;
    RECT window{};
    GetWindowRect(noteWindow, &window);
    return Rect{window.left, window.top, window.right, window.bottom};
}

// The header shows whether the last save failed; it is repainted only when
// that changes.
void RecordSaveOutcome(HWND noteWindow, Note& note, bool saved) {
    const unsigned long error = saved ? 0 : GetLastError();
    const bool changed = note.saveFailed == saved || note.saveError != error;
    note.saveFailed = !saved;
    note.saveError = error;
    if (changed) InvalidateRect(noteWindow, nullptr, FALSE);
}

}  // namespace

bool IsNoteBlank(HWND noteWindow) {
    std::u16string text;
    return ReadEditText(noteWindow, text) && IsBlankText(text);
}

void SaveNote(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note || note->deleted) return;

    std::u16string body;
    if (!ReadEditText(noteWindow, body)) return;  // the file keeps the last text known
    // A blank floating note without entries has no file.
    if (IsBlankText(body) && note->dock == kDockNone && note->entries.empty()) {
        // Not gone, the file would bring the erased text back at the next start.
        RecordSaveOutcome(noteWindow, *note, DeleteNoteFile(note->id));
        return;
    }
    const std::u16string text = FormatNoteFile(*note, FloatingRect(noteWindow, *note), body);
    RecordSaveOutcome(noteWindow, *note, WriteFileAtomic(NoteFilePath(note->id), EncodeUtf8(text)));
}

bool NoteSaveFailed(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    return note && note->saveFailed;
}

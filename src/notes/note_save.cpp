#include "notes/note_save.h"

#include "entries/local_clock.h"
#include "notes/note_window_state.h"
#include "notes/notes_state.h"
#include "storage/core/note_file.h"
#include "storage/note_bin.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "ui/screen_geometry.h"
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

// What the file keeps: a strip undocked for a moment is docked there, with
// the floating rectangle the window has now.
Note StoredNote(HWND noteWindow, const NoteWindowState& state) {
    Note stored = state.note;
    if (state.redockEdge == kDockNone) return stored;
    stored.dock = state.redockEdge;
    stored.undockedRect = WindowRectOf(noteWindow);
    return stored;
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
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state || state->note.deleted) return;
    Note& note = state->note;

    std::u16string body;
    if (!ReadEditText(noteWindow, body)) return;  // the file keeps the last text known
    const std::u16string path = NoteFilePath(note.id);
    // Another program changed, made or removed the file since this one last
    // read or wrote it: what happens to both versions is decided there.
    if (FileVersionOf(path) != state->fileVersion) {
        if (const NoteFileChangedHandler handler = CurrentNotesState().fileChangedHandler) {
            handler(noteWindow);
            return;
        }
    }
    const Note stored = StoredNote(noteWindow, *state);
    // A blank floating note without entries has no file; the text it held
    // goes into the bin, as the user may have erased it by mistake.
    if (IsBlankText(body) && stored.dock == kDockNone && note.entries.empty()) {
        // Not gone, the file would bring the erased text back at the next start.
        const bool deleted = MoveNoteFileToBin(note.id, LocalMoment());
        if (deleted) ForgetFile(*state);
        RecordSaveOutcome(noteWindow, note, deleted);
        return;
    }
    const Bytes bytes = EncodeUtf8(FormatNoteFile(stored, FloatingRect(noteWindow, stored), body));
    // The file already holds exactly this: nothing to write.
    if (state->fileVersion.exists && bytes == state->fileBytes) {
        RecordSaveOutcome(noteWindow, note, true);
        return;
    }
    FileVersion written;
    const bool saved = WriteFileAtomic(path, bytes, &written);
    if (saved) {
        state->fileVersion = written;
        state->fileBytes = bytes;
    }
    RecordSaveOutcome(noteWindow, note, saved);
}

std::optional<std::string> NoteFileBytes(HWND noteWindow) {
    const NoteWindowState* state = NoteWindowStateOf(noteWindow);
    std::u16string body;
    if (!state || !ReadEditText(noteWindow, body)) return std::nullopt;
    const Note stored = StoredNote(noteWindow, *state);
    if (IsBlankText(body) && stored.dock == kDockNone && stored.entries.empty()) return std::string();
    return EncodeUtf8(FormatNoteFile(stored, FloatingRect(noteWindow, stored), body));
}

void ForgetFile(NoteWindowState& state) {
    state.fileVersion = FileVersion{};
    state.fileBytes.clear();
}

bool NoteSaveFailed(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    return note && note->saveFailed;
}

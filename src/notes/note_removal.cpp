#include "notes/note_removal.h"

#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/note_bin.h"
#include "win/wide.h"

namespace {

void RemoveNote(HWND noteWindow, Note* note) {
    if (note) {
        // The bin gets what the window shows, not an older save.
        if (!IsNoteBlank(noteWindow)) SaveNote(noteWindow);
        note->deleted = true;  // no save may bring the file back
        // A file that cannot be moved now (held by another program) shows
        // the note again at the next start: nothing is lost. The failure is
        // recorded.
        (void)MoveNoteFileToBin(note->id, LocalMoment());
    }
    DestroyWindow(noteWindow);
}

}  // namespace

void DeleteNote(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (IsNoteBlank(noteWindow) && (!note || note->entries.empty())) {
        RemoveNote(noteWindow, note);
        return;
    }
    const int answer = MessageBoxW(noteWindow, Wide(Translate(u"Supprimer cette note ?")), L"Quillboard",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
    RemoveNote(noteWindow, NoteFromWindow(noteWindow));
}

void DiscardNoteIfBlank(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    if (IsNoteBlank(noteWindow) && note->entries.empty() && note->dock == kDockNone) RemoveNote(noteWindow, note);
}

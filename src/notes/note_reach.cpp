#include "notes/note_reach.h"

#include "notes/docking.h"
#include "notes/note_window_state.h"
#include "ui/core/dialog_placement.h"
#include "ui/screen_geometry.h"

void BringNoteIntoReach(HWND noteWindow) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    if (note->dock != kDockNone) {
        ApplyDockGeometry(noteWindow, note->dock);
        return;
    }
    const Rect window = WindowRectOf(noteWindow);
    if (IsOnSomeMonitor(window)) return;
    const Rect placed = KeepInsideWorkArea(window, WorkAreaNearRect(window));
    SetWindowPos(noteWindow, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

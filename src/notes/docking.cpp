#include "notes/docking.h"

#include <utility>

#include "notes/core/docking_geometry.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "ui/screen_geometry.h"

namespace {

// True when `window` is `owner` or is owned by it, directly or through
// other windows.
bool IsOwnedBy(HWND window, HWND owner) {
    for (HWND w = window; w; w = GetWindow(w, GW_OWNER)) {
        if (w == owner) return true;
    }
    return false;
}

// The note as its floating self, activated.
void ShowFloating(HWND noteWindow, Note& note) {
    note.dock = kDockNone;
    note.undockedRect = RepairUndockedRect(note.undockedRect, WorkAreaNearRect(note.undockedRect));
    const Rect& r = note.undockedRect;
    MoveWindow(noteWindow, r.left, r.top, r.Width(), r.Height(), TRUE);
    ShowWindow(NoteEditOf(noteWindow), note.type == kNoteRegular ? SW_SHOW : SW_HIDE);
    SetWindowPos(noteWindow, note.pinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(noteWindow);
    InvalidateRect(noteWindow, nullptr, TRUE);
}

// A note the user docks or undocks for good is no longer undocked for a moment.
void ForgetTheMoment(HWND noteWindow) {
    if (NoteWindowState* state = NoteWindowStateOf(noteWindow)) state->redockEdge = kDockNone;
}

}  // namespace

void ApplyDockGeometry(HWND noteWindow, std::int32_t edge) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    const Rect strip = StripRect(note->undockedRect, WorkAreaNearWindow(noteWindow), edge);
    ShowWindow(NoteEditOf(noteWindow), SW_HIDE);
    // The minimum note size limits only the user's resizing, not the strip.
    SetWindowPos(noteWindow, HWND_TOPMOST, strip.left, strip.top, strip.Width(), strip.Height(), SWP_NOACTIVATE);
    InvalidateRect(noteWindow, nullptr, TRUE);
}

void DockNote(HWND noteWindow, std::int32_t edge) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note || !IsDockEdge(edge) || note->dock == edge) return;
    ForgetTheMoment(noteWindow);
    // A note moved from one edge to another keeps its floating rectangle.
    if (note->dock == kDockNone) note->undockedRect = WindowRectOf(noteWindow);
    note->dock = static_cast<DockEdge>(edge);
    note->lastDock = note->dock;
    ApplyDockGeometry(noteWindow, edge);
    SaveNote(noteWindow);
}

void UndockNote(HWND noteWindow) {
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state) return;
    // Already floating: only its file still says docked.
    if (std::exchange(state->redockEdge, kDockNone) != kDockNone) {
        SaveNote(noteWindow);
        return;
    }
    if (state->note.dock == kDockNone) return;
    ShowFloating(noteWindow, state->note);
    SaveNote(noteWindow);
}

void UndockForAMoment(HWND noteWindow) {
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state || state->note.dock == kDockNone) return;
    state->redockEdge = state->note.dock;
    ShowFloating(noteWindow, state->note);
}

bool IsUndockedForAMoment(HWND noteWindow) {
    const NoteWindowState* state = NoteWindowStateOf(noteWindow);
    return state && state->redockEdge != kDockNone;
}

void RedockAfterAMoment(HWND noteWindow, HWND activated) {
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state || state->redockEdge == kDockNone || IsOwnedBy(activated, noteWindow)) return;
    Note& note = state->note;
    note.dock = std::exchange(state->redockEdge, kDockNone);
    note.undockedRect = WindowRectOf(noteWindow);  // where the user may have moved it meanwhile
    ApplyDockGeometry(noteWindow, note.dock);
    SaveNote(noteWindow);  // writes only what changed meanwhile: the file kept the dock
}

void DockSnap(HWND noteWindow, const RECT& startRect) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    const DockEdge edge = SnapEdge(WindowRectOf(noteWindow), WorkAreaNearWindow(noteWindow));
    if (edge == kDockNone) return;
    ForgetTheMoment(noteWindow);
    note->undockedRect = ToRect(startRect);
    note->dock = edge;
    note->lastDock = edge;
    ApplyDockGeometry(noteWindow, edge);
}

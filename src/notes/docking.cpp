#include "notes/docking.h"

#include "notes/core/docking_geometry.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "ui/screen_geometry.h"

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
    // A note moved from one edge to another keeps its floating rectangle.
    if (note->dock == kDockNone) note->undockedRect = WindowRectOf(noteWindow);
    note->dock = static_cast<DockEdge>(edge);
    note->lastDock = note->dock;
    ApplyDockGeometry(noteWindow, edge);
    SaveNote(noteWindow);
}

void UndockNote(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note || note->dock == kDockNone) return;
    note->dock = kDockNone;
    note->undockedRect = RepairUndockedRect(note->undockedRect, WorkAreaNearRect(note->undockedRect));
    const Rect& r = note->undockedRect;
    MoveWindow(noteWindow, r.left, r.top, r.Width(), r.Height(), TRUE);
    ShowWindow(NoteEditOf(noteWindow), note->type == kNoteRegular ? SW_SHOW : SW_HIDE);
    SetWindowPos(noteWindow, note->pinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(noteWindow);
    InvalidateRect(noteWindow, nullptr, TRUE);
    SaveNote(noteWindow);
}

void DockSnap(HWND noteWindow, const RECT& startRect) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    const DockEdge edge = SnapEdge(WindowRectOf(noteWindow), WorkAreaNearWindow(noteWindow));
    if (edge == kDockNone) return;
    note->undockedRect = ToRect(startRect);
    note->dock = edge;
    note->lastDock = edge;
    ApplyDockGeometry(noteWindow, edge);
}

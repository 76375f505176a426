#include "app/note_passes.h"

#include "notes/core/docking_geometry.h"
#include "notes/docking.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "ui/screen_geometry.h"

void DockAllNotes() {
    ForEachNoteWindow([](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (note->dock != kDockNone) return;
        DockNote(window, DockAllEdge(note->lastDock, WindowRectOf(window), WorkAreaNearWindow(window)));
    });
}

void UndockAllNotes() {
    ForEachNoteWindow([](HWND window) {
        if (NoteFromWindow(window)->dock != kDockNone) UndockNote(window);
    });
}

void SaveAllNotes() {
    ForEachNoteWindow(SaveNote);
}

void RetryFailedNoteSaves() {
    ForEachNoteWindow([](HWND window) {
        if (NoteFromWindow(window)->saveFailed) SaveNote(window);
    });
}

FailedNoteSaves CountFailedNoteSaves() {
    FailedNoteSaves failed;
    ForEachNoteWindow([&failed](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (!note->saveFailed) return;
        if (failed.count++ == 0) failed.firstError = note->saveError;
    });
    return failed;
}

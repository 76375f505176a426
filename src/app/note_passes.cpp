#include "app/note_passes.h"

#include "notes/docking.h"
#include "notes/docking_geometry.h"
#include "notes/note_window.h"
#include "storage/note_collection.h"
#include "storage/note_save.h"
#include "win/geometry.h"

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

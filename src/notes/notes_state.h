// What the notes layer keeps for the whole run: its part of the program's
// state (app/program_state.h), reached through CurrentNotesState().
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/state_slot.h"
#include "win/handles.h"

// Opens a note's main menu at a screen point. The categories layer above
// registers it at start-up: a note's title opens the category menu.
using NoteMenuHandler = void (*)(HWND noteWindow, int x, int y);

// Brings a note in line with its file when the file changed since this
// program last read or wrote it. Registered at start-up (notes/note_sync.h):
// saving a note sits below the loading and making of notes it may need.
using NoteFileChangedHandler = void (*)(HWND noteWindow);

// The system's move-or-size loop of a note; only one runs at a time.
struct NoteMoveLoop {
    bool moved = false;
    RECT start{};
};

struct NotesState {
    std::int32_t cascadeCounter = 0;  // where the next new note goes among the cascade places
    NoteMoveLoop moveLoop;
    NoteMenuHandler noteMenuHandler = nullptr;
    NoteFileChangedHandler fileChangedHandler = nullptr;
    // Signalled when a file of the notes folder, or of the data folder
    // (categories.txt), changes; the main loop waits on them.
    UniqueChangeNotification notesFolderWatch;
    UniqueChangeNotification dataFolderWatch;
};

inline NotesState& CurrentNotesState() {
    return StateSlot<NotesState>::Get();
}

// What the notes layer keeps for the whole run: its part of the program's
// state (app/program_state.h), reached through CurrentNotesState().
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/state_slot.h"

// Opens a note's main menu at a screen point. The categories layer above
// registers it at start-up: a note's title opens the category menu.
using NoteMenuHandler = void (*)(HWND noteWindow, int x, int y);

// The system's move-or-size loop of a note; only one runs at a time.
struct NoteMoveLoop {
    bool moved = false;
    RECT start{};
};

struct NotesState {
    std::int32_t cascadeCounter = 0;  // where the next new note goes among the cascade places
    NoteMoveLoop moveLoop;
    NoteMenuHandler noteMenuHandler = nullptr;
};

inline NotesState& CurrentNotesState() {
    return StateSlot<NotesState>::Get();
}

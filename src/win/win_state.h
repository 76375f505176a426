// What the win layer keeps for the whole run: its part of the program's state
// (app/program_state.h), reached through CurrentWinState().
#pragma once

#include "base/state_slot.h"

struct WinState {
    bool gdiplusStarted = false;  // GDI+ runs until the process ends once started
};

inline WinState& CurrentWinState() {
    return StateSlot<WinState>::Get();
}

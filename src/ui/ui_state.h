// What the ui layer keeps for the whole run: its part of the program's state
// (app/program_state.h), reached through CurrentUiState().
#pragma once

#include <windows.h>

#include <array>

#include "base/state_slot.h"
#include "win/handles.h"

struct UiState {
    bool modalDialogActive = false;  // a dialog's modal loop runs (see ModalDialogScope)
    // Shared by every note and dialog, made on first use; they live as long
    // as the windows that use them, which is the whole run.
    UniqueFont textFont;
    UniqueFont glyphFont;
    std::array<COLORREF, 16> customColours{};  // of every colour dialog, all black at start, never saved
};

inline UiState& CurrentUiState() {
    return StateSlot<UiState>::Get();
}

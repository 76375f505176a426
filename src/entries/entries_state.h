// What the entries layer keeps for the whole run: its part of the program's
// state (app/program_state.h), reached through CurrentEntriesState().
#pragma once

#include "base/state_slot.h"
#include "win/handles.h"

struct EntriesState {
    // The entry editor's fonts, made on first use.
    UniqueFont entryTextFont;
    UniqueFont fieldFont;
};

inline EntriesState& CurrentEntriesState() {
    return StateSlot<EntriesState>::Get();
}

// What the reminders layer keeps for the whole run: its part of the program's
// state (app/program_state.h), reached through CurrentRemindersState().
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <vector>

#include "base/state_slot.h"
#include "reminders/core/sound_settings.h"
#include "reminders/sound_image.h"
#include "storage/core/note_record.h"

struct RemindersState {
    SoundSettings sound;
    SoundImage playing;         // the scaled sound the system may still be reading
    std::vector<HWND> toasts;   // the open toasts, oldest first
    DateStamp lastScanDate = 0;  // the local date of the previous scan; 0 before the first
    // The toasts' font family, found once ("Segoe UI", else the generic sans
    // serif); not found yet means tried again at the next toast. Kept for the
    // run, as the toasts that draw with it.
    Gdiplus::GpFontFamily* toastFontFamily = nullptr;
};

inline RemindersState& CurrentRemindersState() {
    return StateSlot<RemindersState>::Get();
}

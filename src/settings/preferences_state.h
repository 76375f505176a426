// What the settings layer keeps for the whole run (the user's shortcuts and
// language): its part of the program's state (app/program_state.h), reached
// through CurrentPreferencesState().
#pragma once

#include <windows.h>

#include <string>

#include "base/state_slot.h"
#include "i18n/core/language_file.h"
#include "settings/core/shortcut_table.h"

struct PreferencesState {
    ShortcutTable shortcuts = DefaultShortcutTable();
    HWND hotKeyWindow = nullptr;  // the window the global hot keys are registered for
    std::u16string languageCode{kFrenchCode};
    LanguageList offeredLanguages = BuiltInLanguages();  // the built-in ones, then those of the files
};

inline PreferencesState& CurrentPreferencesState() {
    return StateSlot<PreferencesState>::Get();
}

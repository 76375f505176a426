// What one opening of the settings window works on: a copy of every setting
// it shows (the shortcut table, the sound, the language), which only OK makes
// the program's own, the row waiting for a key, and where the key boxes were
// last drawn.
#pragma once

#include <windows.h>

#include <vector>

#include "base/colour.h"
#include "reminders/core/sound_settings.h"
#include "settings/core/settings_layout.h"
#include "settings/core/shortcut_table.h"

// Light yellow, whatever the notes' colours.
constexpr ColourRef kSettingsColour = kNoteYellow;

struct SettingsState {
    ShortcutTable shortcuts{};  // copy of Shortcuts()
    SoundSettings sound;        // copy of ActiveSoundSettings()
    int languageIndex = 0;      // into AvailableLanguages

    ShortcutRowsLayout rows{};  // recomputed at every paint, used to hit-test
    int waitingRow = -1;        // the row waiting for a key, -1 for none
    bool draggingVolume = false;
    // The windows this opening disabled; a note already disabled by a dialog
    // of its own (a picker, its colour dialog) is not among them and stays so.
    std::vector<HWND> disabledWindows;
};

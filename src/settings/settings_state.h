// What one opening of the settings window works on: the sound and language
// choices made so far (applied only by OK), the row waiting for a key, and
// where the key boxes were last drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "settings/core/settings_layout.h"

// Light yellow, whatever the notes' colours.
constexpr ColourRef kSettingsColour = kNoteYellow;

struct SettingsState {
    ShortcutRowsLayout rows{};  // recomputed at every paint, used to hit-test
    int waitingRow = -1;        // the row waiting for a key, -1 for none
    bool soundEnabled = true;
    std::int32_t volume = 0;
    std::u16string soundPath;   // empty: the default sound
    bool draggingVolume = false;
    int languageIndex = 0;      // into AvailableLanguages
    // The windows this opening disabled; a note already disabled by a dialog
    // of its own (a picker, its colour dialog) is not among them and stays so.
    std::vector<HWND> disabledWindows;
};

// Painting the settings window: title band, sound settings, language, the
// notes' folder and the shortcut rows, all at fixed client positions.
#pragma once

#include <windows.h>

#include "settings/settings_state.h"

// Paints the whole client area on the `background` brush of kSettingsColour
// and lays the key boxes out again in `state`.
void PaintSettingsWindow(HWND window, HDC dc, HBRUSH background, SettingsState& state);

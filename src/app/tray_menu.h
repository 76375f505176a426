// The tray icon's popup menu.
#pragma once

#include <windows.h>

#include "win/handles.h"

// Commands of the tray menu (WM_COMMAND identifiers).
enum TrayCommand : UINT {
    kTrayNewNote = 1001,
    kTrayQuit = 1002,
    kTrayStartWithWindows = 1003,
    kTrayUndockAll = 1004,
    kTrayDockAll = 1005,
    kTraySettings = 1006,
};

// The lParam of a kTrayQuit command that must not wait on the user (the
// installer's request): what can be saved is saved, and the program ends.
// The menu's own command has 0.
constexpr LPARAM kQuitWithoutQuestion = 1;

// A new popup menu with the tray commands in their order, texts in the
// current language and "Démarrer avec Windows" checked as the registry says.
UniqueMenu BuildTrayMenu();

// Shows the menu at the cursor for the tray window; the chosen command comes
// back to it as WM_COMMAND.
void ShowTrayMenu(HWND trayWindow);

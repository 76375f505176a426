// The tray icon's popup menu.
#pragma once

#include <windows.h>

#include "win/handles.h"

// A new popup menu with the tray commands in their order, texts in the
// current language and "Démarrer avec Windows" checked as the registry says.
UniqueMenu BuildTrayMenu();

// Shows the menu at the cursor for the tray window; the chosen command comes
// back to it as WM_COMMAND.
void ShowTrayMenu(HWND trayWindow);

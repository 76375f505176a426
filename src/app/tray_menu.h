// The tray icon's popup menu.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/core/command_ids.h"
#include "win/handles.h"

// The WM_COMMAND id of the tray menu's "Quitter". The installer sends it to
// the tray window too, with kQuitWithoutQuestion.
constexpr UINT kTrayQuitId = 1002;

// The lParam of a kTrayQuitId command that must not wait on the user (the
// installer's request): what can be saved is saved, and the program ends.
// The menu's own command has 0.
constexpr LPARAM kQuitWithoutQuestion = 1;

// The command of a tray menu item's WM_COMMAND id (1001..1006, 1040); none for
// any other id.
std::optional<CommandId> TrayMenuCommand(UINT menuId);

// A new popup menu with the tray commands in their order, texts in the
// current language and "Démarrer avec Windows" checked as the registry says.
UniqueMenu BuildTrayMenu();

// Shows the menu at the cursor for the tray window; the chosen command comes
// back to it as WM_COMMAND.
void ShowTrayMenu(HWND trayWindow);

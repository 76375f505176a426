// The note's main menu: its type, filing it under a category, and managing
// the categories themselves.
#pragma once

#include <windows.h>

#include "ui/owner_draw_menu.h"

// Builds the menu for the note, shows it at a screen point, and runs the
// chosen command (with any dialogs it needs) before returning.
void ShowCategoryMenu(HWND noteWindow, int x, int y);

// The popup menu ShowCategoryMenu shows for the note, its item records added
// to `records` (which must outlive the menu); null when the window has no note.
HMENU BuildCategoryPopupMenu(HWND noteWindow, OwnerDrawItems& records);

// Runs a command id the menu returned (0 does nothing), with its dialogs.
void RunCategoryMenuCommand(HWND noteWindow, UINT commandId);

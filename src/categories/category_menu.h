// The note's main menu: its type, filing it under a category, and managing
// the categories themselves.
#pragma once

#include <windows.h>

// Builds the menu for the note, shows it at a screen point, and runs the
// chosen command (with any dialogs it needs) before returning.
void ShowCategoryMenu(HWND noteWindow, int x, int y);

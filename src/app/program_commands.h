// The commands of the whole program, whether they come from the tray menu,
// the tray icon or a global hot key.
#pragma once

#include <windows.h>

#include "settings/core/command_ids.h"

// Runs a program-wide command: new note, find, note from the clipboard, dock
// or undock all, settings, start with Windows, the restore window, quit. The
// note commands do nothing here (the note shortcut
// filter runs them). Quit asks about what could not be saved only when
// `mayAsk`, and ends the program by destroying the tray window.
void RunProgramCommand(HWND trayWindow, CommandId command, bool mayAsk);

// The settings window's "Choisir…" for the notes' folder: the folder picker,
// then the move of the notes there (or, for a folder that already holds
// notes, the switch to those notes once the user agrees), and what the user
// must know of it. It applies at once, not at OK: the files are copied and
// checked while the user watches, and Cancel could not un-copy them.
#pragma once

#include <windows.h>

// True when the data folder changed; every message was shown over `owner`.
bool ChangeNotesFolder(HWND owner);

// The find window: a search field over a list of the notes that hold what
// is typed (search/core/note_matching.h). Opened from the tray menu or its
// global hot key; Enter or a double click on a result closes it and shows
// that note with the caret at the match (search/found_note.h).
#pragma once

#include <windows.h>

constexpr wchar_t kFindWindowClass[] = L"QuillboardRecherche";

// The field's and the list's control ids, for the tests that drive them.
constexpr int kFindFieldId = 100;
constexpr int kFindListId = 101;

// Shows the window on the primary screen, owned by the tray window, and
// returns once it is closed. Does nothing while another of the program's
// dialogs is open.
void OpenFindWindow(HWND trayWindow);

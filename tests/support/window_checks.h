// What a test reads off a window, of this process or of the program's:
// its place, whether it stays on top, whether its tray icon is there, what
// a note window shows, and how a popup menu of this process is set up.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>

#include "base/rect.h"

Rect WindowRect(HWND window);
// The work area of the primary monitor, as the system states it.
Rect WorkArea();
bool IsTopmost(HWND window);
// True while the shell knows the program's tray icon on this window:
// modifying nothing succeeds only for an icon that exists.
bool TrayIconExists(HWND tray);

// Whether the note's edit control is shown, and the text it holds.
bool NoteEditShown(HWND note);
std::u16string NoteText(HWND note);

// How a popup menu is set up: the colour of its background brush
// (CLR_INVALID for none) and whether it leaves out the check column.
struct MenuLook {
    COLORREF background = CLR_INVALID;
    bool noCheckColumn = false;
};
MenuLook LookAt(HMENU menu);
// The menu a popup menu window (class "#32768") of this process shows.
HMENU MenuOfWindow(HWND menuWindow);

// How GoogleTest prints a rectangle or a point in a failure.
void PrintTo(const Rect& rect, std::ostream* out);
void PrintTo(const Point& point, std::ostream* out);

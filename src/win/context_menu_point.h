// The point of a WM_CONTEXTMENU message.
#pragma once

#include <windows.h>
#include <windowsx.h>

// From the keyboard (the menu key, Shift+F10) the message carries no point:
// both coordinates are -1, however the system widens the value.
inline bool IsKeyboardContextMenu(LPARAM lParam) {
    return GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
}

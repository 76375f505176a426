// The program's icon in the notification area, owned by the tray window.
#pragma once

#include <windows.h>

// The tray icon's callback message.
constexpr UINT WM_TRAYICON = WM_APP + 1;

// Fills the process's one tray icon record afresh for the tray window and
// adds the icon. The result is not checked: when the notification area is not
// there yet, the icon comes with the next "TaskbarCreated" broadcast.
void AddTrayIcon(HWND trayWindow);

// Removes the icon described by the record AddTrayIcon filled.
void RemoveTrayIcon();

// The program's icon in the notification area, owned by the tray window.
#pragma once

#include <windows.h>

// The tray icon's callback message.
constexpr UINT WM_TRAYICON = WM_APP + 1;

// The tray window's timer that retries adding the icon.
constexpr UINT_PTR kTrayIconRetryTimerId = 2;

// Fills the process's one tray icon record afresh for the tray window and
// adds the icon; false when the notification area refused it.
bool AddTrayIcon(HWND trayWindow);

// At start-up: adds the icon, and when that fails (started from the Run key
// before the notification area is ready, the program would have no way to
// reach "Quitter") tries again every 2 seconds for a minute.
void AddTrayIconOrRetry(HWND trayWindow);

// The retry timer's work: tries once more, and stops the timer on success or
// after the last attempt.
void OnTrayIconRetryTimer(HWND trayWindow);

// Removes the icon described by the record AddTrayIcon filled.
void RemoveTrayIcon();

// The few process-wide handles of the application shell.
#pragma once

#include <windows.h>

// The module every window class and window of the program is made with.
HINSTANCE ModuleInstance();

// The hidden window that owns the tray icon, timer 1 and the global hot keys.
HWND TrayWindow();
void SetTrayWindow(HWND window);

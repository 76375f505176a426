// The hidden tray window: owner of the tray icon, the 30-second timer and the
// global hot keys. Destroying it ends the program.
#pragma once

#include <windows.h>

constexpr wchar_t kTrayWindowClass[] = L"QuillboardTrayWindow";

// Timer 1 runs the due-entry scan, and once a day the backup.
constexpr UINT_PTR kScanTimerId = 1;
constexpr UINT kScanTimerPeriodMs = 30000;

// RegisterWindowMessageW("TaskbarCreated"): the shell broadcasts it when the
// taskbar has been re-created, and the tray icon must then be added again.
void RegisterTaskbarCreatedMessage();

// Registers the class (once) and creates the never-shown tray window.
HWND CreateTrayWindow(HINSTANCE instance);

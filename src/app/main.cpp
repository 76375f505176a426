// Entry point of Quillboard.exe. Command line and show request are ignored:
// the program has no main window, only notes and a tray icon.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return RunQuillboard(instance);
}

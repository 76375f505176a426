// Entry point of Quillboard.exe. The show request is ignored: the program has
// no main window, only notes and a tray icon. Start-up reads the command line.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return RunQuillboard(instance);
}

// Entry point of Quillboard.exe. The show request is ignored: the program has
// no main window, only notes and a tray icon. Start-up is given the command line.
#include <windows.h>

#include "app/startup.h"
#include "win/wide.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return RunQuillboard(instance, FromWide(GetCommandLineW()));
}

#include "win/process_handles.h"

namespace {
HWND trayWindow = nullptr;
}  // namespace

HINSTANCE ModuleInstance() {
    // The program is one executable: its module is the process's own.
    return GetModuleHandleW(nullptr);
}

HWND TrayWindow() {
    return trayWindow;
}

void SetTrayWindow(HWND window) {
    trayWindow = window;
}

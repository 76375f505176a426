#include "win/process_handles.h"

namespace {
HINSTANCE moduleInstance = nullptr;
HWND trayWindow = nullptr;
}  // namespace

HINSTANCE ModuleInstance() {
    return moduleInstance ? moduleInstance : GetModuleHandleW(nullptr);
}

void SetModuleInstance(HINSTANCE instance) {
    moduleInstance = instance;
}

HWND TrayWindow() {
    return trayWindow;
}

void SetTrayWindow(HWND window) {
    trayWindow = window;
}

#include "app/tray_window.h"

#include "app/note_passes.h"

namespace {

UINT taskbarCreatedMessage = 0;

void RunTrayCommand(HWND window, UINT command) {
    switch (command) {
    case kTrayQuit:
        SaveAllNotes();
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        RunTrayCommand(window, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        return 0;
    case WM_QUERYENDSESSION:
        // Text typed but not yet saved would be lost at log-off otherwise.
        SaveAllNotes();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) SaveAllNotes();
        return 0;
    case WM_DESTROY:
        KillTimer(window, kScanTimerId);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterTaskbarCreatedMessage() {
    taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
}

HWND CreateTrayWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TrayWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered

    return CreateWindowExW(0, kTrayWindowClass, L"Quillboard", 0, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

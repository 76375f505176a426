// The floor of the start-up benchmark: the least a program can do to show N
// notes. It creates N bare popup windows with a multi-line edit each, shows
// them without activation, and waits. With "tray" after N it also shows a
// notification-area icon and removes it when a window is closed, so that the
// system's own icon removal can be told apart from a program's quit work.
// Usage: bench_floor.exe N [tray]
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr UINT kIconId = 1;
HWND iconWindow = nullptr;  // the window that owns the tray icon, if any

// shell32 is loaded only for the icon, so that the floor without it stays
// a program of bare windows.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* icon) {
    using NotifyIconFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    const auto notify =
        reinterpret_cast<NotifyIconFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconW")));
    return notify && notify(message, icon);
}

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (iconWindow) {
            NOTIFYICONDATAW icon{};
            icon.cbSize = sizeof(icon);
            icon.hWnd = iconWindow;
            icon.uID = kIconId;
            NotifyIcon(NIM_DELETE, &icon);
        }
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void AddTrayIcon(HWND window) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = kIconId;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wcscpy(icon.szTip, L"Floor");
    if (NotifyIcon(NIM_ADD, &icon)) iconWindow = window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const int count = _wtoi(commandLine);
    const bool tray = std::wcsstr(commandLine, L"tray") != nullptr;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    // Painted as any window is: a window that never paints its background
    // leaves part of its surface untouched, and the system never gives those
    // pages memory, which no note could do.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"QuillboardBenchFloor";
    RegisterClassExW(&windowClass);
    HWND first = nullptr;
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 1300;
        const int y = 20 + (i * 23) % 700;
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuillboardBenchFloor", L"Note", WS_POPUP, x, y, 240, 200,
                                      nullptr, nullptr, instance, nullptr);
        CreateWindowExW(0, L"EDIT", L"note text", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 4, 30, 232, 166, window,
                        nullptr, instance, nullptr);
        ShowWindow(window, SW_SHOWNA);
        if (!first) first = window;
    }
    if (tray && first) AddTrayIcon(first);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

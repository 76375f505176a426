// The floor of the start-up benchmark: the least a program can do to show N
// notes. It creates N bare popup windows with a multi-line edit each, shows
// them without activation, and waits. Usage: bench_floor.exe N
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const int count = _wtoi(commandLine);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"QuillboardBenchFloor";
    RegisterClassExW(&windowClass);
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 1300;
        const int y = 20 + (i * 23) % 700;
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuillboardBenchFloor", L"Note", WS_POPUP, x, y, 240, 200,
                                      nullptr, nullptr, instance, nullptr);
        CreateWindowExW(0, L"EDIT", L"note text", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 4, 30, 232, 166, window,
                        nullptr, instance, nullptr);
        ShowWindow(window, SW_SHOWNA);
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

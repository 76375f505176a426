// Stands in for another copy of the program: a top-level window of class
// "QuillboardNote" whose user data is a pointer that means nothing in any
// other process. It lives until it is closed, or for 30 seconds at most.
#include <windows.h>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 30000;
constexpr LONG_PTR kForeignPointer = 0x0BADF00D;

LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ForeignProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"QuillboardNote";
    if (!RegisterClassExW(&windowClass)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuillboardNote", L"Note", WS_POPUP, 50, 50, 200, 120, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    SetWindowLongPtrW(window, GWLP_USERDATA, kForeignPointer);
    ShowWindow(window, SW_SHOWNA);
    SetTimer(window, kLifetimeTimer, kLifetimeMs, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

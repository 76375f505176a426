// Conversions between Win32 rectangles and the core's plain ones.
#pragma once

#include <windows.h>

#include "base/rect.h"

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

inline RECT ToRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

inline Rect WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return ToRect(r);
}

// The work area (screen minus taskbar) of the monitor nearest to a window.
inline Rect WorkAreaNearWindow(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return ToRect(info.rcWork);
}

// The work area of the monitor nearest to a screen rectangle.
inline Rect WorkAreaNearRect(const Rect& rect) {
    const RECT r = ToRECT(rect);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
    return ToRect(info.rcWork);
}

// True when some part of the rectangle lies on a monitor.
inline bool IsOnSomeMonitor(const Rect& rect) {
    const RECT r = ToRECT(rect);
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

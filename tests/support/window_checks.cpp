#include "support/window_checks.h"

#include <shellapi.h>

#include "support/program_names.h"
#include "support/windows_test_support.h"

Rect WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

Rect WorkArea() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool TrayIconExists(HWND tray) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = tray;
    probe.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

bool NoteEditShown(HWND note) {
    return IsWindowVisible(GetDlgItem(note, kNoteEdit)) != FALSE;
}

std::u16string NoteText(HWND note) {
    return ControlTextOf(GetDlgItem(note, kNoteEdit));
}

MenuLook LookAt(HMENU menu) {
    MenuLook look;
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | MIM_STYLE;
    if (!GetMenuInfo(menu, &info)) return look;
    look.noCheckColumn = (info.dwStyle & MNS_NOCHECK) != 0;
    LOGBRUSH brush{};
    if (info.hbrBack && GetObjectW(info.hbrBack, sizeof(brush), &brush) == sizeof(brush)) look.background = brush.lbColor;
    return look;
}

HMENU MenuOfWindow(HWND menuWindow) {
    return reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
}

void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << "," << point.y << ")";
}

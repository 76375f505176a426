#include "app/tray_icon.h"

#include <shellapi.h>

#include "app/program_state.h"
#include "resource_ids.h"
#include "win/process_handles.h"

namespace {

constexpr UINT kTrayIconId = 1;
constexpr wchar_t kTrayTip[] = L"Quillboard";

#ifdef _WIN64
// The full structure, so that the shell reads every field it knows of.
static_assert(sizeof(NOTIFYICONDATAW) == 976, "the tray icon record is the full NOTIFYICONDATAW");
#endif

constexpr UINT kRetryPeriodMs = 2000;
constexpr int kRetryAttempts = 30;  // a minute

}  // namespace

bool AddTrayIcon(HWND trayWindow) {
    NOTIFYICONDATAW& icon = CurrentAppShellState().trayIcon;
    icon = NOTIFYICONDATAW{};
    icon.cbSize = sizeof(NOTIFYICONDATAW);
    icon.hWnd = trayWindow;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_TRAYICON;
    icon.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_QUILLBOARD));
    lstrcpynW(icon.szTip, kTrayTip, ARRAYSIZE(icon.szTip));
    // No NIM_SETVERSION: the callback keeps the classic form, the mouse or
    // keyboard message in the low word of lParam.
    return Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
}

void AddTrayIconOrRetry(HWND trayWindow) {
    if (AddTrayIcon(trayWindow)) return;
    CurrentAppShellState().trayIconRetriesLeft = kRetryAttempts;
    SetTimer(trayWindow, kTrayIconRetryTimerId, kRetryPeriodMs, nullptr);
}

void OnTrayIconRetryTimer(HWND trayWindow) {
    int& retriesLeft = CurrentAppShellState().trayIconRetriesLeft;
    --retriesLeft;
    if (AddTrayIcon(trayWindow) || retriesLeft <= 0) KillTimer(trayWindow, kTrayIconRetryTimerId);
}

void RemoveTrayIcon() {
    NOTIFYICONDATAW& icon = CurrentAppShellState().trayIcon;
    if (!icon.hWnd) return;  // never added
    Shell_NotifyIconW(NIM_DELETE, &icon);
}

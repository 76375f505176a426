#include "app/tray_icon.h"

#include <shellapi.h>

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

// Kept for the whole process: removing the icon needs the same record.
NOTIFYICONDATAW trayIconRecord{};

int retriesLeft = 0;

}  // namespace

bool AddTrayIcon(HWND trayWindow) {
    trayIconRecord = NOTIFYICONDATAW{};
    trayIconRecord.cbSize = sizeof(NOTIFYICONDATAW);
    trayIconRecord.hWnd = trayWindow;
    trayIconRecord.uID = kTrayIconId;
    trayIconRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconRecord.uCallbackMessage = WM_TRAYICON;
    trayIconRecord.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_QUILLBOARD));
    lstrcpynW(trayIconRecord.szTip, kTrayTip, ARRAYSIZE(trayIconRecord.szTip));
    // No NIM_SETVERSION: the callback keeps the classic form, the mouse or
    // keyboard message in the low word of lParam.
    return Shell_NotifyIconW(NIM_ADD, &trayIconRecord) != FALSE;
}

void AddTrayIconOrRetry(HWND trayWindow) {
    if (AddTrayIcon(trayWindow)) return;
    retriesLeft = kRetryAttempts;
    SetTimer(trayWindow, kTrayIconRetryTimerId, kRetryPeriodMs, nullptr);
}

void OnTrayIconRetryTimer(HWND trayWindow) {
    --retriesLeft;
    if (AddTrayIcon(trayWindow) || retriesLeft <= 0) KillTimer(trayWindow, kTrayIconRetryTimerId);
}

void RemoveTrayIcon() {
    if (!trayIconRecord.hWnd) return;  // never added
    Shell_NotifyIconW(NIM_DELETE, &trayIconRecord);
}

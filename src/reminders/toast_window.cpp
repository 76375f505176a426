#include "reminders/toast_window.h"

#include <algorithm>
#include <memory>

#include "reminders/core/toast_stack.h"
#include "reminders/notification_sound.h"
#include "reminders/reminders_state.h"
#include "reminders/toast_painting.h"
#include "ui/dialog_window.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/process_handles.h"

namespace {

constexpr UINT kToastLifetimeMs = 30000;
constexpr UINT kTopmostPeriodMs = 1000;
constexpr DWORD kToastExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr UINT kKeepOnTopFlags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
constexpr UINT kMoveOnTopFlags = SWP_NOACTIVATE | SWP_NOSIZE;

// The open toasts, oldest first.
std::vector<HWND>& Toasts() {
    return CurrentRemindersState().toasts;
}

ToastData* ToastDataOf(HWND toast) {
    return reinterpret_cast<ToastData*>(GetWindowLongPtrW(toast, GWLP_USERDATA));
}

Rect WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoA(monitor, &info)) return ToRect(info.rcWork);
    RECT primary{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    return ToRect(primary);
}

// Where a new toast goes: the monitor the user works on, that of the
// foreground window (or of the desktop when there is none).
Rect ForegroundWorkArea() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) foreground = GetDesktopWindow();
    return WorkAreaOf(MonitorFromWindow(foreground, MONITOR_DEFAULTTOPRIMARY));
}

// Where the open toasts lie: the monitor of the oldest one. Closing a toast
// moves the others up there, never onto another screen.
Rect StackWorkArea() {
    if (Toasts().empty()) return ForegroundWorkArea();
    return WorkAreaOf(MonitorFromWindow(Toasts().front(), MONITOR_DEFAULTTOPRIMARY));
}

// A toast already in its place is left alone.
void MoveToSlot(HWND toast, const Rect& workArea, int slot) {
    const Point origin = ToastSlotOrigin(workArea, slot);
    const Rect now = WindowRectOf(toast);
    if (now.left == origin.x && now.top == origin.y) return;
    SetWindowPos(toast, HWND_TOPMOST, origin.x, origin.y, 0, 0, kMoveOnTopFlags);
}

void Restack(const Rect& workArea) {
    for (std::size_t slot = 0; slot < Toasts().size(); ++slot) {
        MoveToSlot(Toasts()[slot], workArea, static_cast<int>(slot));
    }
}

void CloseOldestToast() {
    HWND oldest = Toasts().front();
    // Destroying it takes it off the list; a window already gone is dropped.
    if (!DestroyWindow(oldest)) std::erase(Toasts(), oldest);
}

void OnToastDestroyed(HWND toast) {
    const auto listed = std::find(Toasts().begin(), Toasts().end(), toast);
    if (listed != Toasts().end()) {
        Toasts().erase(listed);
        Restack(StackWorkArea());
    }
    delete ToastDataOf(toast);
    SetWindowLongPtrW(toast, GWLP_USERDATA, 0);
}

void OnToastTimer(HWND toast, WPARAM timerId) {
    if (timerId == kToastCloseTimerId) {
        DestroyWindow(toast);
    } else if (timerId == kToastTopmostTimerId) {
        SetWindowPos(toast, HWND_TOPMOST, 0, 0, 0, 0, kKeepOnTopFlags);
    }
}

LRESULT CALLBACK ToastWindowProc(HWND toast, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const PaintScope paint(toast);  // the layered image is the whole picture
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        OnToastTimer(toast, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        // Captured, so that a button released outside the toast still closes it.
        SetCapture(toast);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == toast) ReleaseCapture();
        DestroyWindow(toast);
        return 0;
    case WM_NCDESTROY:
        OnToastDestroyed(toast);
        break;
    default:
        break;
    }
    return DefWindowProcW(toast, message, wParam, lParam);
}

// A hidden toast at its place with its image, or null. It owns its data from
// here on.
HWND CreateToast(const Point& origin, std::unique_ptr<ToastData> data) {
    HWND toast = CreateWindowExW(kToastExStyle, kToastWindowClass, L"Quillboard", WS_POPUP, origin.x, origin.y,
                                 kToastWidth, kToastHeight, nullptr, nullptr, ModuleInstance(), nullptr);
    if (!toast) return nullptr;
    SetWindowLongPtrW(toast, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.get()));
    const ToastData& shown = *data.release();
    if (!RenderToast(toast, shown)) {
        DestroyWindow(toast);
        return nullptr;
    }
    return toast;
}

void PlaySoundIfEnabled() {
    const SoundSettings& sound = ActiveSoundSettings();
    if (sound.enabled) PlayNotificationSound(sound.path, sound.volume);
}

}  // namespace

bool ShowToast(const std::u16string& title, const std::u16string& text, ColourRef accentColour) {
    if (!RegisterPopupClass(kToastWindowClass, ToastWindowProc, IDC_HAND)) return false;
    const Rect workArea = ForegroundWorkArea();
    const int toEvict = ToastsToEvict(static_cast<int>(Toasts().size()), ToastCapacity(workArea));
    const int slot = static_cast<int>(Toasts().size()) - toEvict;
    // Made before any old toast closes, so that a toast that cannot be shown
    // takes nothing off the screen.
    HWND toast = CreateToast(ToastSlotOrigin(workArea, slot),
                             std::make_unique<ToastData>(ToastData{title, text, accentColour}));
    if (!toast) return false;
    for (int i = 0; i < toEvict && !Toasts().empty(); ++i) CloseOldestToast();
    Restack(workArea);  // one stack, on the screen the user works on
    Toasts().push_back(toast);
    MoveToSlot(toast, workArea, static_cast<int>(Toasts().size()) - 1);
    ShowWindow(toast, SW_SHOWNA);
    SetWindowPos(toast, HWND_TOPMOST, 0, 0, 0, 0, kKeepOnTopFlags);
    SetTimer(toast, kToastCloseTimerId, kToastLifetimeMs, nullptr);
    SetTimer(toast, kToastTopmostTimerId, kTopmostPeriodMs, nullptr);
    PlaySoundIfEnabled();
    return true;
}

int ToastStackCapacity() {
    return ToastCapacity(ForegroundWorkArea());
}

const std::vector<HWND>& OpenToasts() {
    return Toasts();
}

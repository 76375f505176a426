#include "ui/dialog_window.h"

#include "ui/core/dialog_placement.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr int kOwnerOffset = 30;  // from the owner's top-left corner

}  // namespace

bool RegisterPopupClass(const wchar_t* className, WNDPROC procedure, bool& registered, const wchar_t* cursor) {
    if (registered) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, cursor);
    windowClass.lpszClassName = className;
    registered = RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

HWND CreateDialogControl(HWND dialog, const wchar_t* className, const std::u16string& text, DWORD style, int id,
                         const Rect& place, HFONT font) {
    HWND control = CreateWindowExW(0, className, Wide(text), style, place.left, place.top, place.Width(),
                                   place.Height(), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ModuleInstance(), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

Rect PlaceNearOwner(HWND owner, int width, int height) {
    const Rect ownerRect = WindowRectOf(owner);
    const Rect wanted{ownerRect.left + kOwnerOffset, ownerRect.top + kOwnerOffset,
                      ownerRect.left + kOwnerOffset + width, ownerRect.top + kOwnerOffset + height};
    return KeepInsideWorkArea(wanted, WorkAreaNearWindow(owner));
}

void RunOwnedDialog(HWND owner, HWND dialog, HWND focus, const bool& done) {
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    SetFocus(focus);
    SendMessageW(focus, EM_SETSEL, 0, -1);

    RunModalLoop(dialog, done);

    EnableWindow(owner, TRUE);
    // Only a quit leaves the dialog alive here; it must not outlive the state
    // its window points to.
    if (IsWindow(dialog)) DestroyWindow(dialog);
    SetForegroundWindow(owner);
}

void CloseOwnedDialog(HWND dialog, bool& done) {
    done = true;
    EnableWindow(GetWindow(dialog, GW_OWNER), TRUE);
    DestroyWindow(dialog);
}

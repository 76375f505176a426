#include "ui/dialog_window.h"

#include "ui/core/dialog_placement.h"
#include "ui/screen_geometry.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr int kOwnerOffset = 30;  // from the owner's top-left corner

}  // namespace

bool RegisterPopupClass(const wchar_t* className, WNDPROC procedure, const wchar_t* cursor) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, cursor);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
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

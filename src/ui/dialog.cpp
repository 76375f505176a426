#include "ui/dialog.h"

#include <optional>

#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "win/process_handles.h"
#include "win/wide.h"

Dialog::Dialog(ColourRef colour) : colour_(colour), brush_(CreateSolidBrush(colour)) {}

bool Dialog::Run(const DialogFrame& frame) {
    if (!Create(frame)) return false;
    RunModal(CreateControls(), frame.modalFlag);
    return accepted_;
}

void Dialog::Close() {
    done_ = true;
    EnableOwner();
    DestroyWindow(window_);
}

void Dialog::Accept() {
    accepted_ = true;
    Close();
}

void Dialog::DisableOwner() {
    EnableWindow(owner_, FALSE);
}

void Dialog::EnableOwner() {
    EnableWindow(owner_, TRUE);
}

DialogChromeResult Dialog::Chrome(UINT message, WPARAM wParam, LPARAM lParam) const {
    return HandleDialogChrome(window_, message, wParam, lParam, colour_, brush_.Get());
}

// The dialog travels in CreateWindowExW's last argument and is kept in the
// window's user data from WM_NCCREATE on; only WM_GETMINMAXINFO comes before.
LRESULT CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* dialog = static_cast<Dialog*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        dialog->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!dialog) return DefWindowProcW(window, message, wParam, lParam);
    return dialog->Handle(message, wParam, lParam);
}

LRESULT Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_NCCALCSIZE:
        if (wParam) return 0;  // no frame, no caption: the client area is the whole window
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        done_ = true;  // however the window goes (its owner can take it along), the run ends
        return 0;
    case WM_NCDESTROY: {
        HWND window = window_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return OnMessage(message, wParam, lParam);
}

bool Dialog::Create(const DialogFrame& frame) {
    if (!RegisterPopupClass(frame.className, Procedure)) return false;
    owner_ = frame.owner;
    const Rect& place = frame.place;
    return CreateWindowExW(WS_EX_TOPMOST, frame.className, Wide(frame.title), WS_POPUP, place.left, place.top,
                           place.Width(), place.Height(), frame.owner, nullptr, ModuleInstance(), this) != nullptr;
}

void Dialog::RunModal(HWND focus, ModalFlag modalFlag) {
    std::optional<ModalDialogScope> modal;
    if (modalFlag == ModalFlag::Set) modal.emplace();

    DisableOwner();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (focus) {
        SetFocus(focus);
        SendMessageW(focus, EM_SETSEL, 0, -1);
    }

    RunModalLoop(window_, done_, [this] { return KeysToWindow(); });

    EnableOwner();
    // Only a quit leaves the window alive here; it must not outlive the
    // dialog it points to.
    if (window_) DestroyWindow(window_);
    // The activation goes back to the owner; a hidden owner (the tray
    // window, the settings window's owner) has nothing to show for it.
    if (IsWindowVisible(owner_)) SetForegroundWindow(owner_);
}

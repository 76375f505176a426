#include "ui/text_input_dialog.h"

#include "base/colour.h"
#include "i18n/core/translation.h"
#include "ui/dialog_chrome.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr int kDialogWidth = 330;
constexpr int kDialogHeight = 150;

constexpr int kEditId = 100;
constexpr Rect kEditPlace{12, 42, 12 + 294, 42 + 24};
constexpr Rect kOkPlace{150, 86, 150 + 76, 86 + 28};
constexpr Rect kCancelPlace{234, 86, 234 + 76, 86 + 28};

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

// The state of one dialog, owned by the ShowTextInputDialog frame; the
// window's user data points to it while the window exists.
struct InputDialog {
    std::u16string text;
    bool accepted = false;
    bool done = false;
    ColourRef colour = kNoteYellow;
    HBRUSH brush = nullptr;
};

bool classRegistered = false;

InputDialog* DialogFromWindow(HWND window) {
    return reinterpret_cast<InputDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Finish(HWND window, InputDialog& dialog) {
    CloseOwnedDialog(window, dialog.done);
}

LRESULT OnCommand(HWND window, InputDialog& dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            dialog.text = WindowText(GetDlgItem(window, kEditId));
            dialog.accepted = true;
            Finish(window, dialog);
            break;
        case IDCANCEL:
            Finish(window, dialog);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CALLBACK InputDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE && wParam) return 0;  // no frame, no caption
    InputDialog* dialog = DialogFromWindow(window);
    if (!dialog) return DefWindowProcW(window, message, wParam, lParam);

    const DialogChromeResult chrome =
        HandleDialogChrome(window, message, wParam, lParam, dialog->colour, dialog->brush, &dialog->done);
    if (chrome.handled) return chrome.result;

    switch (message) {
        case WM_COMMAND:
            return OnCommand(window, *dialog, wParam);
        case WM_CLOSE:
            Finish(window, *dialog);
            return 0;
        case WM_DESTROY:
            // However the window goes (its owner too can take it along), the loop ends.
            dialog->done = true;
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The edit field; the two buttons follow it in the tab order.
HWND CreateChildren(HWND dialog, const std::u16string& initialText) {
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND edit = CreateDialogControl(dialog, L"EDIT", initialText, kEditStyle, kEditId, kEditPlace, font);
    CreateDialogControl(dialog, L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, kOkPlace, font);
    CreateDialogControl(dialog, L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, kCancelPlace, font);
    return edit;
}

}  // namespace

bool ShowTextInputDialog(HWND owner, ColourRef colour, const std::u16string& title,
                         const std::u16string& initialText, std::u16string& text) {
    text.clear();
    if (!RegisterPopupClass(kTextInputDialogClass, InputDialogProc, classRegistered)) return false;

    InputDialog dialog;
    dialog.colour = colour;
    const UniqueBrush brush(CreateSolidBrush(dialog.colour));
    dialog.brush = brush.Get();

    // Near the owner, but never off the screen: from a strip docked on the
    // right edge the dialog would otherwise open wholly outside it.
    const Rect place = PlaceNearOwner(owner, kDialogWidth, kDialogHeight);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kTextInputDialogClass, Wide(title), WS_POPUP, place.left,
                                  place.top, kDialogWidth, kDialogHeight, owner, nullptr, ModuleInstance(), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    HWND edit = CreateChildren(window, initialText);
    {
        ModalDialogScope modal;
        RunOwnedDialog(owner, window, edit, dialog.done);
    }

    if (!dialog.accepted) return false;
    text = dialog.text;
    return true;
}

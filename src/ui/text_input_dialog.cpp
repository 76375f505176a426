#include "ui/text_input_dialog.h"

#include "i18n/translation.h"
#include "storage/note_record.h"
#include "ui/dialog_chrome.h"
#include "ui/dialog_placement.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr int kOwnerOffset = 30;  // from the owner's top-left corner
constexpr int kDialogWidth = 330;
constexpr int kDialogHeight = 150;

constexpr int kEditId = 100;
constexpr int kEditLeft = 12;
constexpr int kEditTop = 42;
constexpr int kEditWidth = 294;
constexpr int kEditHeight = 24;

constexpr int kButtonTop = 86;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 28;
constexpr int kOkLeft = 150;
constexpr int kCancelLeft = 234;

// The state of one dialog, owned by the ShowTextInputDialog frame; the
// window's user data points to it while the window exists.
struct InputDialog {
    std::u16string text;
    bool accepted = false;
    bool done = false;
    ColourRef colour = kDefaultNoteColour;
    HBRUSH brush = nullptr;
};

bool classRegistered = false;

InputDialog* DialogFromWindow(HWND window) {
    return reinterpret_cast<InputDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Finish(HWND window, InputDialog& dialog) {
    dialog.done = true;
    // The owner first: while it is disabled, the system would activate some
    // other window (another note) in place of the closing dialog.
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
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

bool EnsureClassRegistered() {
    if (classRegistered) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = InputDialogProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kTextInputDialogClass;
    classRegistered = RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return classRegistered;
}

HWND CreateChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, int left,
                 int top, int width, int height) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, left, top,
                                 width, height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ModuleInstance(), nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

// The edit field; the two buttons follow it in the tab order.
HWND CreateChildren(HWND dialog, const std::u16string& initialText) {
    HWND edit = CreateChild(dialog, L"EDIT", Wide(initialText), WS_BORDER | ES_AUTOHSCROLL, kEditId, kEditLeft,
                            kEditTop, kEditWidth, kEditHeight);
    CreateChild(dialog, L"BUTTON", Wide(Translate(u"OK")), BS_OWNERDRAW, IDOK, kOkLeft, kButtonTop, kButtonWidth,
                kButtonHeight);
    CreateChild(dialog, L"BUTTON", Wide(Translate(u"Annuler")), BS_OWNERDRAW, IDCANCEL, kCancelLeft, kButtonTop,
                kButtonWidth, kButtonHeight);
    return edit;
}

}  // namespace

bool ShowTextInputDialog(HWND owner, ColourRef colour, const std::u16string& title,
                         const std::u16string& initialText, std::u16string& text) {
    text.clear();
    if (!EnsureClassRegistered()) return false;

    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    InputDialog dialog;
    dialog.colour = colour;
    const UniqueBrush brush(CreateSolidBrush(dialog.colour));
    dialog.brush = brush.Get();

    // Near the owner, but never off the screen: from a strip docked on the
    // right edge the dialog would otherwise open wholly outside it.
    const Rect wanted{ownerRect.left + kOwnerOffset, ownerRect.top + kOwnerOffset,
                      ownerRect.left + kOwnerOffset + kDialogWidth, ownerRect.top + kOwnerOffset + kDialogHeight};
    const Rect place = KeepInsideWorkArea(wanted, WorkAreaNearWindow(owner));
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kTextInputDialogClass, Wide(title), WS_POPUP, place.left,
                                  place.top, kDialogWidth, kDialogHeight, owner, nullptr, ModuleInstance(), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    HWND edit = CreateChildren(window, initialText);

    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);

    {
        ModalDialogScope modal;
        RunModalLoop(window, dialog.done);
    }

    EnableWindow(owner, TRUE);
    // Only a quit leaves the window alive here; it must not outlive the
    // record and the brush it points to.
    if (IsWindow(window)) DestroyWindow(window);
    SetForegroundWindow(owner);

    if (!dialog.accepted) return false;
    text = dialog.text;
    return true;
}

#include "ui/text_input_dialog.h"

#include "base/colour.h"
#include "i18n/core/translation.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"
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

class InputDialog final : public Dialog {
public:
    InputDialog(ColourRef colour, const std::u16string& initialText) : Dialog(colour), text_(initialText) {}

    // The edit field's text once OK has ended the dialog.
    const std::u16string& Text() const { return text_; }

private:
    // The edit field; the two buttons follow it in the tab order.
    HWND CreateControls() override {
        const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        HWND edit = CreateDialogControl(Window(), L"EDIT", text_, kEditStyle, kEditId, kEditPlace, font);
        CreateDialogControl(Window(), L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, kOkPlace, font);
        CreateDialogControl(Window(), L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, kCancelPlace, font);
        return edit;
    }

    void OnOk() noexcept override {
        text_ = WindowText(GetDlgItem(Window(), kEditId));
        Accept();
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
        const DialogChromeResult chrome = Chrome(message, wParam, lParam);
        if (chrome.handled) return chrome.result;
        return DefWindowProcW(Window(), message, wParam, lParam);
    }

    std::u16string text_;  // the initial text until OK reads the field
};

}  // namespace

bool ShowTextInputDialog(HWND owner, ColourRef colour, const std::u16string& title,
                         const std::u16string& initialText, std::u16string& text) {
    text.clear();
    InputDialog dialog(colour, initialText);
    // Near the owner, but never off the screen: from a strip docked on the
    // right edge the dialog would otherwise open wholly outside it.
    const bool accepted = dialog.Run({.className = kTextInputDialogClass,
                                      .title = title,
                                      .place = PlaceNearOwner(owner, kDialogWidth, kDialogHeight),
                                      .owner = owner});
    if (!accepted) return false;
    text = dialog.Text();
    return true;
}

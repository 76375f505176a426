#include "ui/modal_dialog.h"

#include <utility>

#include "ui/ui_state.h"

bool ModalDialogActive() {
    return CurrentUiState().modalDialogActive;
}

ModalDialogScope::ModalDialogScope() : saved_(std::exchange(CurrentUiState().modalDialogActive, true)) {}

ModalDialogScope::~ModalDialogScope() {
    CurrentUiState().modalDialogActive = saved_;
}

bool RunModalLoop(HWND dialog, const bool& done, const std::function<bool()>& keysToWindow) {
    // A dialog destroyed behind our back (its owner went away) would otherwise
    // leave the loop waiting for a flag that nothing will set any more.
    while (!done && IsWindow(dialog)) {
        MSG message{};
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        if (got == -1) {
            return false;
        }
        const bool dialogKeys = !keysToWindow || !keysToWindow();
        if (!dialogKeys || !IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return false;
}

// The one modal loop every dialog of the program runs, and the process-wide
// flag that tells the due-entry check and the settings window that a dialog
// is up. There is one thread, so the flag needs no locking.
#pragma once

#include <windows.h>

#include <functional>

// True while a modal dialog loop of the program runs.
bool ModalDialogActive();

// Sets ModalDialogActive for its lifetime and puts back the value it found,
// so that nested dialogs leave the flag as the outer one expects it.
class ModalDialogScope {
public:
    ModalDialogScope();
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;

private:
    bool saved_;
};

// Dispatches every message of the thread (any window), giving each first to
// IsDialogMessageW for `dialog` (Tab, Enter as IDOK, Escape as IDCANCEL),
// until `done` is set or the dialog window no longer exists. A WM_QUIT ends
// the loop and is posted again with the same exit code, so that the main
// loop ends too; the result then is true. While `keysToWindow` (when given)
// says so, IsDialogMessageW is bypassed: Tab, Enter, Escape and the arrows
// then reach the dialog's own procedure as key messages.
bool RunModalLoop(HWND dialog, const bool& done, const std::function<bool()>& keysToWindow = nullptr);

// The skeleton every dialog of the program is built on. It registers the
// window class on first use, finds its dialog from the window's first
// message on, owns the dialog's colour and brush, closes and destroys the
// window the same way for every dialog and runs the owned modal loop. A
// dialog derives from it and keeps only its controls, layout, painting and
// results.
#pragma once

#include <windows.h>

#include <string>

#include "base/colour.h"
#include "base/rect.h"
#include "ui/dialog_chrome.h"
#include "win/handles.h"

// Whether a dialog sets ModalDialogActive while it runs, or leaves it as it
// finds it (the date picker: the entry editor it opens from has set it).
enum class ModalFlag { Set, AsFound };

// The window a dialog runs in: a topmost popup of the class, with the title
// as its text, at `place` (screen pixels), owned by `owner`.
struct DialogFrame {
    const wchar_t* className = nullptr;
    std::u16string title;
    Rect place;
    HWND owner = nullptr;
    ModalFlag modalFlag = ModalFlag::Set;
};

class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Makes the window and its controls and runs the dialog until it ends.
    // True when OK ended it (Accept); false when it was cancelled or closed,
    // when the program is quitting, or when its window could not be made.
    bool Run(const DialogFrame& frame);

protected:
    explicit Dialog(ColourRef colour);
    ~Dialog() = default;

    // The dialog's controls, made once the window exists; returns the control
    // that gets the focus, with all its text selected (null: none).
    virtual HWND CreateControls() = 0;

    // WM_COMMAND IDOK: OK, Enter in a field, or the OK button.
    virtual void OnOk() noexcept = 0;

    // Every message the skeleton does not handle itself (it handles
    // WM_NCCALCSIZE, IDOK and IDCANCEL, WM_CLOSE, WM_DESTROY, WM_NCDESTROY).
    // Called from WM_NCCREATE on; the window is Window() throughout.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept = 0;

    // While the dialog runs, its owner takes no input: disabled before the
    // dialog shows, enabled again when it closes.
    virtual void DisableOwner();
    virtual void EnableOwner();

    // True while the keys must reach the dialog's own procedure: Tab, Enter,
    // Escape and the arrows then skip the dialog keys of the modal loop.
    virtual bool KeysToWindow() const { return false; }

    // Ends the run: the owner is enabled first (while it is disabled the
    // system would activate some other window, another note, in place of
    // the closing dialog), then the window is destroyed. Accept ends it with OK.
    void Close();
    void Accept();

    // The look every dialog shares (HandleDialogChrome) in the dialog's colour.
    DialogChromeResult Chrome(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND Window() const { return window_; }
    HWND Owner() const { return owner_; }
    ColourRef Colour() const { return colour_; }
    HBRUSH Brush() const { return brush_.Get(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    [[nodiscard]] bool Create(const DialogFrame& frame);
    void RunModal(HWND focus, ModalFlag modalFlag);

    ColourRef colour_;
    UniqueBrush brush_;
    HWND window_ = nullptr;  // from WM_NCCREATE to WM_NCDESTROY
    HWND owner_ = nullptr;
    bool done_ = false;
    bool accepted_ = false;
};

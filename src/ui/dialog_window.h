// What every dialog of the program does the same way: its window class, its
// controls, its place beside the owner and its owned modal run.
#pragma once

#include <windows.h>

#include <string>

#include "base/rect.h"

// Registers the class of a popup the program paints itself (a dialog, a
// toast) once per process: the program's instance, the cursor, no icon and
// no background. `registered` is the caller's flag; true when the class is there.
bool RegisterPopupClass(const wchar_t* className, WNDPROC procedure, bool& registered,
                        const wchar_t* cursor = IDC_ARROW);

// A child control of the dialog at its place, with its font.
HWND CreateDialogControl(HWND dialog, const wchar_t* className, const std::u16string& text, DWORD style, int id,
                         const Rect& place, HFONT font);

// Where a dialog of that size opens: 30 pixels right of and below the
// owner's top-left corner, moved wholly inside the work area of the owner's
// monitor so that none of its buttons is off the screen.
Rect PlaceNearOwner(HWND owner, int width, int height);

// Runs a dialog owned by `owner` until `done` is set: the owner is disabled,
// the dialog shown and activated with the focus (and a selection of all its
// text) in `focus`; afterwards the owner is enabled again, the dialog is
// destroyed if a quit left it alive, and the activation goes back to the
// owner. ModalDialogActive is the caller's to set.
void RunOwnedDialog(HWND owner, HWND dialog, HWND focus, const bool& done);

// Ends an owned dialog: sets its done flag, enables the owner first (while it
// is disabled the system would activate some other window, another note, in
// place of the closing dialog) and destroys the dialog.
void CloseOwnedDialog(HWND dialog, bool& done);

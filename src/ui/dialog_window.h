// What the program's popups share: their window class, their controls and
// their place beside the owner.
#pragma once

#include <windows.h>

#include <string>

#include "base/rect.h"

// Registers the class of a popup the program paints itself (a dialog, a
// toast): the program's instance, the cursor, no icon and no background.
// A class registered before is kept as it is. True when the class is there.
[[nodiscard]] bool RegisterPopupClass(const wchar_t* className, WNDPROC procedure,
                                      const wchar_t* cursor = IDC_ARROW);

// A child control of the dialog at its place, with its font.
HWND CreateDialogControl(HWND dialog, const wchar_t* className, const std::u16string& text, DWORD style, int id,
                         const Rect& place, HFONT font);

// Where a dialog of that size opens: 30 pixels right of and below the
// owner's top-left corner, moved wholly inside the work area of the owner's
// monitor so that none of its buttons is off the screen.
Rect PlaceNearOwner(HWND owner, int width, int height);

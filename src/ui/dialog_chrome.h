// The look every dialog of the program shares: a title band in a darker
// shade of the owner note's colour with the title and a close cross, the
// note colour as background and behind the controls, and rounded
// owner-drawn buttons.
#pragma once

#include <windows.h>

#include <string>

#include "base/colour.h"

struct DialogChromeResult {
    bool handled = false;
    LRESULT result = 0;
};

// Called first by a dialog's window procedure for every message. When it
// reports handled, the procedure returns its result; otherwise the procedure
// handles the message itself. `brush` is the dialog's solid brush of
// `colour` (the stock white brush is used when it is null); a click on the
// close cross sends the window WM_CLOSE.
DialogChromeResult HandleDialogChrome(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      ColourRef colour, HBRUSH brush);

// The title band: the darker shade of the dialog colour, the window's text
// (at most `titleCharacters` of it) and the close cross, in the colour that
// contrasts with the band.
void PaintTitleBand(HDC dc, HWND window, int clientWidth, ColourRef colour, int titleCharacters);

// WM_DRAWITEM for an owner-drawn button of the dialog: its text (at most
// `textCharacters`) on a rounded face. False when the item is not a button.
bool DrawDialogButton(const DRAWITEMSTRUCT* item, ColourRef colour, HBRUSH dialogBrush, int textCharacters);

// WM_CTLCOLOREDIT: the edit's text in the contrast colour on the dialog colour.
LRESULT DialogEditColours(HDC dc, ColourRef colour, HBRUSH dialogBrush);

// A rounded button face a shade darker than the dialog (darker again while
// pressed) with a border and centred text that contrast with the face.
void DrawRoundedButton(HDC dc, const RECT& rect, const std::u16string& text, ColourRef colour,
                       HBRUSH dialogBrush, bool pressed);

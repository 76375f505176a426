// The system colour dialog, with one table of 16 custom colours shared by
// every colour dialog of the run (never saved).
#pragma once

#include <windows.h>

#include "base/colour.h"

// The shared custom colours (all black at start).
COLORREF* CustomColours();

// Opens the colour dialog at an initial colour; true with the chosen colour
// when the user confirms, false and no change otherwise.
bool ChooseColour(HWND owner, ColourRef& colour);

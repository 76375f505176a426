// The splash shown at every start: the logo and name, a word about donations,
// the donate button, the contact address and a close cross. It is the
// program's only about box; it closes itself after six seconds and never takes
// the focus from the application the user is working in.
#pragma once

#include <windows.h>

// Shows the splash centred on the work area and returns at once. When the
// window cannot be made there is simply no splash.
void ShowSplash(HINSTANCE instance);

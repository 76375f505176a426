// Drawing a note: the header strip with its controls and title, and the
// body of a placeholder note. A docked note is a plain strip.
#pragma once

#include <windows.h>

#include "storage/core/note_record.h"

// Paints the whole client area; note may be null (default colours).
void PaintNote(HWND window, HDC dc, const Note* note);

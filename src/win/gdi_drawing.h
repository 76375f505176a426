// Small GDI drawing steps shared by every window that paints itself.
#pragma once

#include <windows.h>

#include "win/handles.h"

// Fills a rectangle with a solid colour through a brush made for the call.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &rect, brush.Get());
}

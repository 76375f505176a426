#include "win/gdiplus_session.h"

#include <windows.h>
#include <gdiplus.h>

#include "win/win_state.h"

bool EnsureGdiplusStarted() {
    bool& started = CurrentWinState().gdiplusStarted;
    if (started) return true;
    Gdiplus::GdiplusStartupInput input;  // version 1, default options
    ULONG_PTR token = 0;
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    return started;
}

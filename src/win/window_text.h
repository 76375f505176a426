// The text of a window or control: whole, however long, or cut to a length.
#pragma once

#include <windows.h>

#include <string>

#include "win/wide.h"

inline std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(window, WideBuffer(text), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

// At most `characters` of the window's text, as a fixed buffer reads it.
inline std::u16string WindowTextUpTo(HWND window, int characters) {
    std::u16string text(static_cast<std::size_t>(characters) + 1, u'\0');
    const int length = GetWindowTextW(window, WideBuffer(text), characters + 1);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

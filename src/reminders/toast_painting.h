// The image of a reminder toast: a translucent rounded card with an accent
// bar in the note's colour, the note's title and the entry's text, drawn with
// per-pixel alpha and handed to the toast's layered window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"

// What a toast shows; owned by its window.
struct ToastData {
    std::u16string title;        // the note's category label
    std::u16string text;         // the entry's text
    ColourRef accentColour = 0;  // the note's colour
};

// The toast image: 310 x 76 premultiplied ARGB pixels in rows from the top;
// empty when it could not be drawn.
std::vector<std::uint32_t> ToastImage(const ToastData& data);

// Draws the toast image and hands it to the layered window, which keeps its
// place. False when the image or the window update could not be made: the
// window then shows nothing. A missing font leaves the texts out, not the
// card.
bool RenderToast(HWND toastWindow, const ToastData& data);

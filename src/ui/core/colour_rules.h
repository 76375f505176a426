// Colours a note derives from its own colour: text, header, muted text, the
// owner-drawn menus and the rounded dialog buttons. Plain COLORREF arithmetic
// on the three 8-bit channels, each channel on its own.
#pragma once

#include <cstdint>

#include "base/colour.h"

constexpr ColourRef kDarkTextColour = 0x001E1E1E;   // on light colours
constexpr ColourRef kLightTextColour = 0x00F0F0F0;  // on dark colours
// A colour whose luminance is at most this counts as dark.
constexpr int kDarkLuminanceLimit = 140;

// (299·R + 587·G + 114·B) / 1000 in integers: 0..255.
int Luminance(ColourRef colour);

// True when Luminance is at most kDarkLuminanceLimit.
bool IsDarkColour(ColourRef colour);

// Dark grey text on a light colour, light grey text on a dark one.
ColourRef ContrastTextColour(ColourRef colour);

// Each channel × 0.82, truncated: the header strip and docked strips.
ColourRef HeaderColour(ColourRef colour);

// Per channel the integer half of note channel + contrast text channel:
// done entries, dates and the add row of the entry list.
ColourRef MutedTextColour(ColourRef note);

// Per channel the integer part of channel + (grey − channel) · fraction, where
// grey is a grey level (30 or 240) and fraction lies in 0..1.
ColourRef MoveTowards(ColourRef colour, int grey, double fraction);

// The grey level moved towards a colour: per channel the integer part of
// grey + (channel − grey) · fraction.
ColourRef MoveGreyTowards(int grey, ColourRef colour, double fraction);

// GDI+ ARGB (0xAARRGGBB) of a COLORREF.
std::uint32_t ArgbFromColourRef(ColourRef colour, std::uint8_t alpha = 0xFF);

// Colours of an owner-drawn popup menu item on a note of colour `base`.
struct MenuColours {
    ColourRef background = 0;
    ColourRef selectedBackground = 0;
    ColourRef separator = 0;
    ColourRef text = 0;        // also the check mark, even on greyed items
    ColourRef greyedText = 0;
};

MenuColours OwnerDrawMenuColours(ColourRef base);

// Colours of a rounded dialog button drawn on a dialog of colour `colour`.
struct ButtonColours {
    ColourRef face = 0;
    ColourRef border = 0;
    ColourRef text = 0;
};

ButtonColours RoundedButtonColours(ColourRef colour, bool pressed);

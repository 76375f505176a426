// Colours as Windows holds them, for the portable core and the shell alike.
#pragma once

#include <cstdint>

// COLORREF layout: 0x00BBGGRR, red in the low byte.
using ColourRef = std::uint32_t;

// The pale yellow of a new note, which the splash and the settings window
// share.
constexpr ColourRef kNoteYellow = 0x00A0F6FF;

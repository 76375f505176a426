// Drawing one row of the find window's list of results.
#pragma once

#include <windows.h>

#include <string>

#include "base/colour.h"

// Two lines of text per row, under each other.
constexpr int kResultRowHeight = 44;

struct ResultRow {
    ColourRef noteColour = 0;
    std::u16string firstLine;   // the note's first line
    std::u16string secondLine;  // the words that matched, or where the note is filed
};

// WM_DRAWITEM of a row: a swatch of the note's colour, the first line, and
// the second line in a muted colour, on the dialog's colour (the menus'
// highlight when selected).
void PaintResultRow(const DRAWITEMSTRUCT& item, const ResultRow& row, ColourRef dialogColour);

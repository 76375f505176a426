#include "search/result_painting.h"

#include "ui/core/colour_rules.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kSwatchLeft = 8;
constexpr int kSwatchWidth = 10;
constexpr int kSwatchInset = 8;  // from the row's top and bottom
constexpr int kSwatchCorner = 4;
constexpr int kTextLeft = 28;
constexpr int kTextRightInset = 8;
constexpr int kFirstLineTop = 3;
constexpr int kLineHeight = 19;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

void PaintSwatch(HDC dc, const RECT& row, ColourRef colour) {
    const UniqueBrush fill(CreateSolidBrush(colour));
    const SelectScope brush(dc, fill.Get());
    // The strip's own darker shade outlines a swatch that would vanish on a
    // dialog of the same colour.
    const UniquePen outline(CreatePen(PS_SOLID, 1, HeaderColour(colour)));
    const SelectScope pen(dc, outline.Get());
    RoundRect(dc, row.left + kSwatchLeft, row.top + kSwatchInset, row.left + kSwatchLeft + kSwatchWidth,
              row.bottom - kSwatchInset, kSwatchCorner, kSwatchCorner);
}

void DrawLine(HDC dc, const std::u16string& text, const RECT& row, int top, ColourRef colour) {
    RECT box{row.left + kTextLeft, row.top + top, row.right - kTextRightInset, row.top + top + kLineHeight};
    SetTextColor(dc, colour);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &box, kLineFormat);
}

}  // namespace

void PaintResultRow(const DRAWITEMSTRUCT& item, const ResultRow& row, ColourRef dialogColour) {
    HDC dc = item.hDC;
    const SavedDcState saved(dc);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const ColourRef background = selected ? OwnerDrawMenuColours(dialogColour).selectedBackground : dialogColour;
    FillSolid(dc, item.rcItem, background);
    PaintSwatch(dc, item.rcItem, row.noteColour);
    const SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    DrawLine(dc, row.firstLine, item.rcItem, kFirstLineTop, ContrastTextColour(background));
    DrawLine(dc, row.secondLine, item.rcItem, kFirstLineTop + kLineHeight, MutedTextColour(background));
}

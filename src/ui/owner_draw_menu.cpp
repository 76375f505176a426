#include "ui/owner_draw_menu.h"

#include "ui/core/colour_rules.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kItemMinHeight = 24;
constexpr int kItemTextPadding = 6;      // above and below taller text
constexpr int kItemPadding = 36;          // check column and right margin
constexpr int kSubmenuExtraWidth = 6;     // room for the triangle
constexpr int kTextLeft = 24;
constexpr int kTextRightMargin = 12;
constexpr int kSubmenuTextRightMargin = 18;
constexpr int kSeparatorInset = 6;
constexpr int kCheckPenWidth = 2;

const OwnerDrawMenuItem* ItemOf(ULONG_PTR data) {
    return reinterpret_cast<const OwnerDrawMenuItem*>(data);
}

void DrawSeparator(HDC dc, const RECT& rect, ColourRef colour) {
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    SelectScope selected(dc, pen.Get());
    const int middle = (rect.top + rect.bottom) / 2;
    MoveToEx(dc, rect.left + kSeparatorInset, middle, nullptr);
    LineTo(dc, rect.right - kSeparatorInset, middle);
}

void DrawCheckMark(HDC dc, const RECT& rect, ColourRef colour) {
    UniquePen pen(CreatePen(PS_SOLID, kCheckPenWidth, colour));
    SelectScope selected(dc, pen.Get());
    const int middle = (rect.top + rect.bottom) / 2;
    const POINT points[] = {{rect.left + 7, middle}, {rect.left + 10, middle + 4}, {rect.left + 16, middle - 5}};
    Polyline(dc, points, 3);
}

void DrawSubmenuTriangle(HDC dc, const RECT& rect, ColourRef colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    SelectScope selectedBrush(dc, brush.Get());
    SelectScope noOutline(dc, GetStockObject(NULL_PEN));
    const int middle = (rect.top + rect.bottom) / 2;
    const POINT points[] = {{rect.right - 12, middle - 4}, {rect.right - 12, middle + 4}, {rect.right - 7, middle}};
    Polygon(dc, points, 3);
}

void DrawItemText(HDC dc, const RECT& rect, const OwnerDrawMenuItem& item, ColourRef colour) {
    RECT box = rect;
    box.left += kTextLeft;
    box.right -= item.hasSubmenu ? kSubmenuTextRightMargin : kTextRightMargin;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SelectScope font(dc, TextFontOrDefault());
    // A literal text is measured as it is drawn: every character, an
    // ampersand too, so the item is exactly as wide as its text.
    const UINT prefix = item.textKind == MenuTextKind::Literal ? DT_NOPREFIX : 0;
    DrawTextW(dc, Wide(item.text), -1, &box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | prefix);
}

}  // namespace

void AppendOwnerDrawItem(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const std::u16string& text,
                         OwnerDrawItems& records, MenuTextKind textKind) {
    auto item = std::make_unique<OwnerDrawMenuItem>();
    item->text = text;
    item->textKind = textKind;
    item->hasSubmenu = (flags & MF_POPUP) != 0;
    item->isSeparator = (flags & MF_SEPARATOR) != 0;
    item->isChecked = (flags & MF_CHECKED) != 0;
    item->isGreyed = (flags & MF_GRAYED) != 0;
    const auto data = reinterpret_cast<LPCWSTR>(item.get());
    if (item->isSeparator) {
        AppendMenuW(menu, MF_OWNERDRAW | MF_DISABLED, 0, data);
    } else {
        AppendMenuW(menu, flags | MF_OWNERDRAW, idOrSubmenu, data);
    }
    records.push_back(std::move(item));
}

bool MeasureOwnerDrawMenuItem(HWND owner, MEASUREITEMSTRUCT* measure) {
    if (!measure || measure->CtlType != ODT_MENU || measure->itemData == 0) return false;
    const OwnerDrawMenuItem& item = *ItemOf(measure->itemData);
    if (item.isSeparator) {
        measure->itemWidth = 0;
        measure->itemHeight = kSeparatorHeight;
        return true;
    }
    WindowDc dc(owner);
    SelectScope font(dc.Get(), TextFontOrDefault());
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), Wide(item.text), static_cast<int>(item.text.size()), &extent);
    measure->itemWidth = extent.cx + kItemPadding + (item.hasSubmenu ? kSubmenuExtraWidth : 0);
    measure->itemHeight = extent.cy <= kItemMinHeight - kItemTextPadding ? kItemMinHeight : extent.cy + kItemTextPadding;
    return true;
}

bool DrawOwnerDrawMenuItem(ColourRef menuColour, const DRAWITEMSTRUCT* draw) {
    if (!draw || draw->CtlType != ODT_MENU || draw->itemData == 0) return false;
    const OwnerDrawMenuItem& item = *ItemOf(draw->itemData);
    const MenuColours colours = OwnerDrawMenuColours(menuColour);
    HDC dc = draw->hDC;
    const RECT& rect = draw->rcItem;
    {
        SavedDcState saved(dc);
        const bool selected = (draw->itemState & ODS_SELECTED) != 0 && !item.isSeparator;
        FillSolid(dc, rect, selected ? colours.selectedBackground : colours.background);
        if (item.isSeparator) {
            DrawSeparator(dc, rect, colours.separator);
        } else {
            if (item.isChecked) DrawCheckMark(dc, rect, colours.text);
            const ColourRef textColour = item.isGreyed ? colours.greyedText : colours.text;
            DrawItemText(dc, rect, item, textColour);
            if (item.hasSubmenu) DrawSubmenuTriangle(dc, rect, textColour);
        }
    }
    // The system would draw its own submenu arrow over ours afterwards.
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

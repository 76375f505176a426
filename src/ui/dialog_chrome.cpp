#include "ui/dialog_chrome.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/core/colour_rules.h"
#include "ui/core/title_band.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

// The title text box, inset from the band's left edge and kept clear of the cross.
constexpr int kTitleLeft = 8;
constexpr int kTitleRightInset = 30;
constexpr int kTitleCharacters = 127;
constexpr int kButtonTextCharacters = 31;
constexpr int kButtonCornerEllipse = 10;

HBRUSH BrushOrWhite(HBRUSH brush) {
    return brush ? brush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

LRESULT BrushResult(HBRUSH brush) {
    return reinterpret_cast<LRESULT>(BrushOrWhite(brush));
}

int ClientWidth(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right;
}

POINT ClientPointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void DrawCloseCross(HDC dc, int clientWidth, ColourRef textColour) {
    UniquePen pen(CreatePen(PS_SOLID, kCrossPenWidth, textColour));
    SelectScope selected(dc, pen.Get());
    for (const LineSegment& line : CloseCrossLines(clientWidth)) {
        MoveToEx(dc, line.from.x, line.from.y, nullptr);
        LineTo(dc, line.to.x, line.to.y);
    }
}

void DrawTitle(HDC dc, HWND window, int clientWidth, ColourRef textColour, int titleCharacters) {
    std::u16string title = WindowTextUpTo(window, titleCharacters);
    RECT box{kTitleLeft, 0, clientWidth - kTitleRightInset, kTitleBandHeight};
    SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    DrawTextW(dc, Wide(title), -1, &box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

LRESULT Paint(HWND window, ColourRef colour) {
    PaintScope paint(window);
    HDC dc = paint.Dc();
    if (!dc) return 0;
    SavedDcState state(dc);
    RECT client{};
    GetClientRect(window, &client);
    PaintTitleBand(dc, window, client.right, colour, kTitleCharacters);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    return 0;
}

LRESULT EraseBackground(HWND window, HDC dc, HBRUSH brush) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, BrushOrWhite(brush));
    return 1;
}

DialogChromeResult DrawButton(LPARAM lParam, ColourRef colour, HBRUSH brush) {
    if (!DrawDialogButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), colour, brush, kButtonTextCharacters)) {
        return {};
    }
    return {true, 1};
}

DialogChromeResult CustomDraw(LPARAM lParam, ColourRef colour, HBRUSH brush) {
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (!draw || draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || draw->dwDrawStage != CDDS_PREPAINT) {
        return {};
    }
    FillRect(draw->hdc, &draw->rc, BrushOrWhite(brush));
    SetTextColor(draw->hdc, ContrastTextColour(colour));
    SetBkColor(draw->hdc, colour);
    return {true, CDRF_NEWFONT};
}

LRESULT HitTest(HWND window, LPARAM lParam) {
    POINT point = ClientPointOf(lParam);  // screen coordinates here
    ScreenToClient(window, &point);
    if (point.y >= kTitleBandHeight || IsOnCloseCross(Point{point.x, point.y}, ClientWidth(window))) return HTCLIENT;
    return HTCAPTION;
}

LRESULT ControlColours(HDC dc, ColourRef colour, HBRUSH brush, bool isEdit) {
    SetTextColor(dc, ContrastTextColour(colour));
    if (isEdit) {
        SetBkColor(dc, colour);
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    return BrushResult(brush);
}

void CloseOnCross(HWND window, LPARAM lParam) {
    const POINT point = ClientPointOf(lParam);
    if (IsOnCloseCross(Point{point.x, point.y}, ClientWidth(window))) SendMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace

void PaintTitleBand(HDC dc, HWND window, int clientWidth, ColourRef colour, int titleCharacters) {
    const ColourRef textColour = ContrastTextColour(colour);
    FillSolid(dc, RECT{0, 0, clientWidth, kTitleBandHeight}, HeaderColour(colour));
    DrawTitle(dc, window, clientWidth, textColour, titleCharacters);
    DrawCloseCross(dc, clientWidth, textColour);
}

bool DrawDialogButton(const DRAWITEMSTRUCT* item, ColourRef colour, HBRUSH dialogBrush, int textCharacters) {
    if (!item || item->CtlType != ODT_BUTTON) return false;
    const std::u16string text = WindowTextUpTo(item->hwndItem, textCharacters);
    DrawRoundedButton(item->hDC, item->rcItem, text, colour, dialogBrush, (item->itemState & ODS_SELECTED) != 0);
    return true;
}

LRESULT DialogEditColours(HDC dc, ColourRef colour, HBRUSH dialogBrush) {
    return ControlColours(dc, colour, dialogBrush, true);
}

DialogChromeResult HandleDialogChrome(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      ColourRef colour, HBRUSH brush) {
    switch (message) {
        case WM_PAINT:
            return {true, Paint(window, colour)};
        case WM_ERASEBKGND:
            return {true, EraseBackground(window, reinterpret_cast<HDC>(wParam), brush)};
        case WM_DRAWITEM:
            return DrawButton(lParam, colour, brush);
        case WM_NOTIFY:
            return CustomDraw(lParam, colour, brush);
        case WM_NCHITTEST:
            return {true, HitTest(window, lParam)};
        case WM_CTLCOLOREDIT:
            return {true, ControlColours(reinterpret_cast<HDC>(wParam), colour, brush, true)};
        case WM_CTLCOLORSTATIC:
            return {true, ControlColours(reinterpret_cast<HDC>(wParam), colour, brush, false)};
        case WM_LBUTTONDOWN:
            CloseOnCross(window, lParam);
            return {true, 0};
        default:
            return {};
    }
}

void DrawRoundedButton(HDC dc, const RECT& rect, const std::u16string& text, ColourRef colour,
                       HBRUSH dialogBrush, bool pressed) {
    SavedDcState state(dc);
    FillRect(dc, &rect, BrushOrWhite(dialogBrush));

    const ButtonColours colours = RoundedButtonColours(colour, pressed);
    UniquePen border(CreatePen(PS_SOLID, 1, colours.border));
    UniqueBrush face(CreateSolidBrush(colours.face));
    {
        SelectScope pen(dc, border.Get());
        SelectScope brush(dc, face.Get());
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, kButtonCornerEllipse, kButtonCornerEllipse);
    }

    SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    RECT box = rect;
    DrawTextW(dc, Wide(text), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

#include "reminders/toast_painting.h"

#include "reminders/reminders_state.h"

#include <algorithm>

#include "reminders/core/toast_stack.h"
#include "ui/core/colour_rules.h"
#include "win/gdiplus_objects.h"
#include "win/gdiplus_session.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kBytesPerPixel = 4;
constexpr int kToastStride = kToastWidth * kBytesPerPixel;

// White at alpha 1: looks transparent, yet every pixel of the rectangle
// takes the mouse, so a click anywhere on the toast reaches it.
constexpr Gdiplus::ARGB kClearArgb = 0x01FFFFFF;
constexpr Gdiplus::ARGB kBodyArgb = 0x4CFCFCFC;  // near-white, about 30 % opaque
constexpr Gdiplus::ARGB kOutlineArgb = 0xFFBEBEBE;
constexpr Gdiplus::ARGB kTitleArgb = 0xFF000000;
constexpr Gdiplus::ARGB kTextArgb = 0xFF141414;
constexpr Gdiplus::REAL kOutlineWidth = 1.2f;

// The outline: rounded corners of radius 13, half a pixel inside the image
// so that the anti-aliased line is not cut.
constexpr Gdiplus::REAL kOutlineInset = 0.6f;
constexpr Gdiplus::REAL kCornerBox = 26.0f;
constexpr Gdiplus::REAL kFarCornerLeft = kToastWidth - kOutlineInset - kCornerBox;
constexpr Gdiplus::REAL kFarCornerTop = kToastHeight - kOutlineInset - kCornerBox;
constexpr Gdiplus::REAL kQuarterTurn = 90.0f;

constexpr Gdiplus::REAL kAccentBarWidth = 6.0f;

constexpr wchar_t kToastFontFamily[] = L"Segoe UI";
constexpr Gdiplus::REAL kTitleFontPixels = 11.0f;
constexpr Gdiplus::REAL kTextFontPixels = 15.0f;
const Gdiplus::RectF kTitleRect(16.0f, 6.0f, 284.0f, 18.0f);
const Gdiplus::RectF kTextRect(16.0f, 26.0f, 284.0f, 46.0f);

// The title stays on one line. The text wraps, and only whole lines are laid
// out, so that the ellipsis ends the last line that fits instead of a line
// cut through by the bottom edge.
constexpr INT kTitleFormat = Gdiplus::StringFormatFlagsNoWrap;
constexpr INT kTextFormat = Gdiplus::StringFormatFlagsLineLimit;

struct ToastText {
    const std::u16string& text;
    Gdiplus::REAL pixels;
    INT style;
    Gdiplus::RectF rect;
    INT formatFlags;
    Gdiplus::ARGB argb;
};

// The family of the toast texts: "Segoe UI", else the generic sans-serif
// family, else none (the texts are then left out).
Gdiplus::GpFontFamily* ToastFontFamily() {
    Gdiplus::GpFontFamily*& toastFontFamily = CurrentRemindersState().toastFontFamily;
    if (toastFontFamily) return toastFontFamily;
    Gdiplus::GpFontFamily* family = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(kToastFontFamily, nullptr, &family) != Gdiplus::Ok) family = nullptr;
    if (!family && gdip::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok) family = nullptr;
    toastFontFamily = family;
    return family;
}

// The font in the style asked for, or regular when the family lacks it.
GdipFont ToastFont(Gdiplus::REAL pixels, INT style) {
    Gdiplus::GpFontFamily* family = ToastFontFamily();
    if (!family) return GdipFont();
    Gdiplus::GpFont* font = nullptr;
    if (gdip::GdipCreateFont(family, pixels, style, Gdiplus::UnitPixel, &font) == Gdiplus::Ok) return GdipFont(font);
    if (gdip::GdipCreateFont(family, pixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, &font) == Gdiplus::Ok) {
        return GdipFont(font);
    }
    return GdipFont();
}

void DrawToastText(Gdiplus::GpGraphics* graphics, const ToastText& part) {
    if (part.text.empty()) return;
    const GdipFont font = ToastFont(part.pixels, part.style);
    Gdiplus::GpStringFormat* created = nullptr;
    if (!font || gdip::GdipCreateStringFormat(part.formatFlags, LANG_NEUTRAL, &created) != Gdiplus::Ok) return;
    const GdipStringFormat format(created);
    gdip::GdipSetStringFormatTrimming(format.get(), Gdiplus::StringTrimmingEllipsisCharacter);
    const GdipBrush brush = SolidBrush(part.argb);
    gdip::GdipDrawString(graphics, Wide(part.text), static_cast<INT>(part.text.size()), font.get(), &part.rect,
                         format.get(), brush.get());
}

GdipPath OutlinePath() {
    Gdiplus::GpPath* path = nullptr;
    if (gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &path) != Gdiplus::Ok) return GdipPath();
    gdip::GdipAddPathArc(path, kOutlineInset, kOutlineInset, kCornerBox, kCornerBox, 180.0f, kQuarterTurn);
    gdip::GdipAddPathArc(path, kFarCornerLeft, kOutlineInset, kCornerBox, kCornerBox, 270.0f, kQuarterTurn);
    gdip::GdipAddPathArc(path, kFarCornerLeft, kFarCornerTop, kCornerBox, kCornerBox, 0.0f, kQuarterTurn);
    gdip::GdipAddPathArc(path, kOutlineInset, kFarCornerTop, kCornerBox, kCornerBox, 90.0f, kQuarterTurn);
    gdip::GdipClosePathFigure(path);
    return GdipPath(path);
}

void DrawCard(Gdiplus::GpGraphics* graphics, ColourRef accentColour) {
    const GdipPath outline = OutlinePath();
    if (!outline) return;
    const GdipBrush body = SolidBrush(kBodyArgb);
    gdip::GdipFillPath(graphics, body.get(), outline.get());
    // The bar along the left edge, rounded by the card's own corners.
    gdip::GdipSetClipPath(graphics, outline.get(), Gdiplus::CombineModeReplace);
    const GdipBrush accent = SolidBrush(ArgbFromColourRef(accentColour));
    gdip::GdipFillRectangle(graphics, accent.get(), 0.0f, 0.0f, kAccentBarWidth, static_cast<Gdiplus::REAL>(kToastHeight));
    gdip::GdipResetClip(graphics);
    const GdipPen pen = SolidPen(kOutlineArgb, kOutlineWidth);
    gdip::GdipDrawPath(graphics, pen.get(), outline.get());
}

// Draws into 310 x 76 pixels, premultiplied ARGB as layered windows take them.
bool DrawToastImage(void* pixels, const ToastData& data) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(kToastWidth, kToastHeight, kToastStride, PixelFormat32bppPARGB,
                                        static_cast<BYTE*>(pixels), &bitmap) != Gdiplus::Ok) {
        return false;
    }
    const GdipImage image(bitmap);
    Gdiplus::GpGraphics* created = nullptr;
    if (gdip::GdipGetImageGraphicsContext(bitmap, &created) != Gdiplus::Ok) return false;
    const GdipGraphics graphics(created);
    gdip::GdipSetSmoothingMode(created, Gdiplus::SmoothingModeAntiAlias);
    gdip::GdipSetTextRenderingHint(created, Gdiplus::TextRenderingHintAntiAlias);
    gdip::GdipGraphicsClear(created, kClearArgb);
    DrawCard(created, data.accentColour);
    DrawToastText(created, {data.title, kTitleFontPixels, Gdiplus::FontStyleBold, kTitleRect, kTitleFormat, kTitleArgb});
    DrawToastText(created, {data.text, kTextFontPixels, Gdiplus::FontStyleRegular, kTextRect, kTextFormat, kTextArgb});
    return true;
}

BITMAPINFO ToastBitmapInfo() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kToastWidth;
    info.bmiHeader.biHeight = -kToastHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool UpdateToastWindow(HWND toastWindow, HDC screen, HDC image) {
    SIZE size{kToastWidth, kToastHeight};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(toastWindow, screen, nullptr, &size, image, &source, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace

std::vector<std::uint32_t> ToastImage(const ToastData& data) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kToastWidth) * kToastHeight);
    if (!EnsureGdiplusStarted() || !DrawToastImage(pixels.data(), data)) pixels.clear();
    return pixels;
}

bool RenderToast(HWND toastWindow, const ToastData& data) {
    if (!EnsureGdiplusStarted()) return false;
    const WindowDc screen(nullptr);
    if (!screen.Get()) return false;
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    if (!memory) return false;
    const BITMAPINFO info = ToastBitmapInfo();
    void* pixels = nullptr;
    const UniqueBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dib || !pixels) return false;
    const SelectScope selected(memory.Get(), dib.Get());
    if (!DrawToastImage(pixels, data)) return false;
    GdiFlush();  // the pixels were written behind GDI's back
    return UpdateToastWindow(toastWindow, screen.Get(), memory.Get());
}

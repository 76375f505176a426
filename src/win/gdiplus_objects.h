// Owners for objects of the GDI+ flat API, each deleted on every path.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>

namespace gdip = Gdiplus::DllExports;

struct GdipGraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* graphics) const { gdip::GdipDeleteGraphics(graphics); }
};
struct GdipPenDeleter {
    void operator()(Gdiplus::GpPen* pen) const { gdip::GdipDeletePen(pen); }
};
struct GdipBrushDeleter {
    void operator()(Gdiplus::GpBrush* brush) const { gdip::GdipDeleteBrush(brush); }
};
struct GdipPathDeleter {
    void operator()(Gdiplus::GpPath* path) const { gdip::GdipDeletePath(path); }
};
struct GdipImageDeleter {
    void operator()(Gdiplus::GpImage* image) const { gdip::GdipDisposeImage(image); }
};
struct GdipFontDeleter {
    void operator()(Gdiplus::GpFont* font) const { gdip::GdipDeleteFont(font); }
};
struct GdipStringFormatDeleter {
    void operator()(Gdiplus::GpStringFormat* format) const { gdip::GdipDeleteStringFormat(format); }
};

using GdipGraphics = std::unique_ptr<Gdiplus::GpGraphics, GdipGraphicsDeleter>;
using GdipPen = std::unique_ptr<Gdiplus::GpPen, GdipPenDeleter>;
using GdipBrush = std::unique_ptr<Gdiplus::GpBrush, GdipBrushDeleter>;
using GdipPath = std::unique_ptr<Gdiplus::GpPath, GdipPathDeleter>;
using GdipImage = std::unique_ptr<Gdiplus::GpImage, GdipImageDeleter>;
using GdipFont = std::unique_ptr<Gdiplus::GpFont, GdipFontDeleter>;
using GdipStringFormat = std::unique_ptr<Gdiplus::GpStringFormat, GdipStringFormatDeleter>;

// An anti-aliasing graphics object on a DC; empty when GDI+ is unavailable.
inline GdipGraphics AntiAliasedGraphics(HDC dc) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return GdipGraphics();
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
    return GdipGraphics(graphics);
}

inline GdipPen SolidPen(std::uint32_t argb, float width) {
    Gdiplus::GpPen* pen = nullptr;
    gdip::GdipCreatePen1(argb, width, Gdiplus::UnitWorld, &pen);
    return GdipPen(pen);
}

inline GdipBrush SolidBrush(std::uint32_t argb) {
    Gdiplus::GpSolidFill* brush = nullptr;
    gdip::GdipCreateSolidFill(argb, &brush);
    return GdipBrush(brush);
}

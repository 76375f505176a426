#include "notes/note_painting.h"

#include <array>

#include "i18n/core/translation.h"
#include "notes/core/note_layout.h"
#include "notes/core/note_title.h"
#include "notes/entry_list.h"
#include "storage/category_storage.h"
#include "ui/core/colour_rules.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/gdiplus_objects.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kPlaceholderText[] = L"(Note Tessaline : Section 2)";
constexpr float kPinOutlineWidth = 1.3f;
constexpr COLORREF kWarningColour = RGB(0xD0, 0x20, 0x20);
constexpr COLORREF kWarningTextColour = RGB(0xFF, 0xFF, 0xFF);

struct PaintContext {
    HDC dc;
    int width;
    int height;
    ColourRef colour;
    ColourRef text;  // ContrastTextColour of the note
    Gdiplus::GpGraphics* graphics = nullptr;  // anti-aliased drawing; null without GDI+
};

void DrawLine(HDC dc, const LineSegment& line) {
    MoveToEx(dc, line.from.x, line.from.y, nullptr);
    LineTo(dc, line.to.x, line.to.y);
}

// The plus sign and the three dock triangles, anti-aliased.
void DrawAntiAliasedGlyphs(const PaintContext& context) {
    Gdiplus::GpGraphics* graphics = context.graphics;
    if (!graphics) return;
    const std::uint32_t argb = ArgbFromColourRef(context.text);
    GdipPen pen = SolidPen(argb, kGlyphPenWidth);
    gdip::GdipSetPenStartCap(pen.get(), Gdiplus::LineCapRound);
    gdip::GdipSetPenEndCap(pen.get(), Gdiplus::LineCapRound);
    for (const LineSegment& line : PlusSignLines()) {
        gdip::GdipDrawLine(graphics, pen.get(), static_cast<float>(line.from.x), static_cast<float>(line.from.y),
                           static_cast<float>(line.to.x), static_cast<float>(line.to.y));
    }
    GdipBrush brush = SolidBrush(argb);
    for (int cell = 0; cell < 3; ++cell) {
        const std::array<PointF, 3> corners = DockTriangle(cell, context.width);
        std::array<Gdiplus::PointF, 3> points;
        for (size_t i = 0; i < corners.size(); ++i) points[i] = Gdiplus::PointF(corners[i].x, corners[i].y);
        gdip::GdipFillPolygon(graphics, brush.get(), points.data(), 3, Gdiplus::FillModeAlternate);
    }
}

// A pushpin drawn with paths, for systems without the icon font: upright and
// filled when pinned, tilted and outlined when not.
void DrawPinOutline(const PaintContext& context, const Rect& box, bool pinned) {
    Gdiplus::GpGraphics* graphics = context.graphics;
    if (!graphics) return;
    const float centreX = (box.left + box.right) / 2.0f;
    const float centreY = (box.top + box.bottom) / 2.0f;
    gdip::GdipTranslateWorldTransform(graphics, centreX, centreY, Gdiplus::MatrixOrderPrepend);
    if (!pinned) gdip::GdipRotateWorldTransform(graphics, 45.0f, Gdiplus::MatrixOrderPrepend);

    const std::uint32_t argb = ArgbFromColourRef(context.text);
    GdipPen pen = SolidPen(argb, kPinOutlineWidth);
    GdipBrush brush = SolidBrush(argb);
    // Knob, flange and needle, pointing down, centred on the box.
    const Gdiplus::RectF knob(-3.0f, -7.5f, 6.0f, 5.5f);
    const Gdiplus::RectF flange(-5.5f, -2.0f, 11.0f, 2.0f);
    const float needleEnd = pinned ? 5.5f : 7.5f;
    if (pinned) {
        gdip::GdipFillRectangle(graphics, brush.get(), knob.X, knob.Y, knob.Width, knob.Height);
        gdip::GdipFillRectangle(graphics, brush.get(), flange.X, flange.Y, flange.Width, flange.Height);
    } else {
        gdip::GdipDrawRectangle(graphics, pen.get(), knob.X, knob.Y, knob.Width, knob.Height);
        gdip::GdipDrawRectangle(graphics, pen.get(), flange.X, flange.Y, flange.Width, flange.Height);
    }
    gdip::GdipDrawLine(graphics, pen.get(), 0.0f, 0.0f, 0.0f, needleEnd);
    gdip::GdipResetWorldTransform(graphics);
}

bool FontHasGlyph(HDC dc, wchar_t glyph) {
    WORD index = 0;
    return GetGlyphIndicesW(dc, &glyph, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

void DrawPinGlyph(const PaintContext& context, bool pinned) {
    const Rect box = PinGlyphBox(context.width);
    HFONT font = GlyphFont();
    SelectScope selected(context.dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const wchar_t glyph = static_cast<wchar_t>(PinGlyph(pinned));
    // Without the icon font the glyph would show as a missing-character box.
    if (!FontHasGlyph(context.dc, glyph)) {
        DrawPinOutline(context, box, pinned);
        return;
    }
    RECT r = ToRECT(box);
    DrawTextW(context.dc, &glyph, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void DrawSwatch(const PaintContext& context) {
    const Rect swatch = ColourSwatchRect();
    FillSolid(context.dc, ToRECT(swatch), context.colour);
    SelectScope noFill(context.dc, GetStockObject(NULL_BRUSH));
    Rectangle(context.dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
}

// A red disc with a white "!": the note's last save failed. Red whatever the
// note's colour, so that it reads as a warning on every note.
void DrawSaveFailedBadge(const PaintContext& context) {
    const RECT badge = ToRECT(SaveFailedBadgeRect(context.width));
    UniqueBrush fill(CreateSolidBrush(kWarningColour));
    SelectScope selectedFill(context.dc, fill.Get());
    SelectScope noOutline(context.dc, GetStockObject(NULL_PEN));
    Ellipse(context.dc, badge.left, badge.top, badge.right + 1, badge.bottom + 1);
    SelectScope font(context.dc, TextFontOrDefault());
    const COLORREF previous = SetTextColor(context.dc, kWarningTextColour);
    RECT mark = badge;
    DrawTextW(context.dc, L"!", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SetTextColor(context.dc, previous);
}

void DrawTitle(const PaintContext& context, const Note* note) {
    if (!IsTitleDrawn(context.width)) return;
    const bool saveFailed = note && note->saveFailed;
    if (saveFailed) DrawSaveFailedBadge(context);
    std::u16string label =
        note ? CategoryLabel(Categories(), note->categoryId, note->subcategoryId) : CategoryLabel(Categories(), 0, 0);
    // This machine's side of a clash says so first.
    if (note && note->clash) label = std::u16string(Translate(u"Conflit")) + u" \u2013 " + label;
    RECT box = ToRECT(TitleTextBox(context.width, saveFailed));
    SelectScope font(context.dc, TextFontOrDefault());
    // Category names are shown as typed: an ampersand is a character here.
    DrawTextW(context.dc, Wide(label), -1, &box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void DrawHeader(PaintContext context, const Note* note) {
    FillSolid(context.dc, ToRECT(HeaderStripRect(context.width)), HeaderColour(context.colour));
    // One anti-aliasing graphics object serves every glyph of the header.
    const GdipGraphics graphics = AntiAliasedGraphics(context.dc);
    context.graphics = graphics.get();
    SetBkMode(context.dc, TRANSPARENT);
    SetTextColor(context.dc, context.text);
    {
        UniquePen pen(CreatePen(PS_SOLID, kCrossPenWidth, context.text));
        SelectScope selectedPen(context.dc, pen.Get());
        for (const LineSegment& line : CloseCrossLines(context.width)) DrawLine(context.dc, line);
        DrawAntiAliasedGlyphs(context);
        DrawPinGlyph(context, note && note->pinned);
        DrawSwatch(context);
    }
    DrawTitle(context, note);
}

void DrawPlaceholderBody(const PaintContext& context) {
    RECT box = ToRECT(PlaceholderTextRect(context.width, context.height));
    SelectScope font(context.dc, TextFontOrDefault());
    DrawTextW(context.dc, kPlaceholderText, -1, &box, DT_WORDBREAK);
}

}  // namespace

void PaintNote(HWND window, HDC dc, const Note* note) {
    RECT client{};
    GetClientRect(window, &client);
    const ColourRef colour = note ? note->colour : kDefaultNoteColour;
    const PaintContext context{dc, client.right, client.bottom, colour, ContrastTextColour(colour)};
    SavedDcState saved(dc);

    if (note && note->dock != kDockNone) {
        // A strip has no header: a failed save turns the whole strip red.
        FillSolid(dc, client, note->saveFailed ? kWarningColour : HeaderColour(colour));
        return;
    }
    DrawHeader(context, note);
    if (note && note->type == kNoteScheduled) PaintEntryList(dc, *note, context.width, context.height);
    if (note && note->type == kNotePlaceholder) DrawPlaceholderBody(context);
}

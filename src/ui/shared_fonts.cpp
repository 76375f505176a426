#include "ui/shared_fonts.h"

namespace {

constexpr int kTextFontHeight = 16;
constexpr int kGlyphFontHeight = 15;

HFONT textFont = nullptr;
HFONT glyphFont = nullptr;

HFONT CreateUiFont(int height, const wchar_t* face) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
}

}  // namespace

HFONT TextFont() {
    return textFont;
}

HFONT EnsureTextFont() {
    if (!textFont) textFont = CreateUiFont(kTextFontHeight, L"Segoe UI");
    return textFont;
}

HFONT TextFontOrDefault() {
    return textFont ? textFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT GlyphFont() {
    if (!glyphFont) glyphFont = CreateUiFont(kGlyphFontHeight, L"Segoe MDL2 Assets");
    return glyphFont;
}

#include "ui/shared_fonts.h"

#include "ui/ui_state.h"

namespace {

constexpr int kTextFontHeight = 16;
constexpr int kGlyphFontHeight = 15;

HFONT CreateUiFont(int height, const wchar_t* face) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
}

}  // namespace

HFONT TextFont() {
    return CurrentUiState().textFont.Get();
}

HFONT EnsureTextFont() {
    UniqueFont& font = CurrentUiState().textFont;
    if (!font) font.Reset(CreateUiFont(kTextFontHeight, L"Segoe UI"));
    return font.Get();
}

HFONT TextFontOrDefault() {
    HFONT font = TextFont();
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT GlyphFont() {
    UniqueFont& font = CurrentUiState().glyphFont;
    if (!font) font.Reset(CreateUiFont(kGlyphFontHeight, L"Segoe MDL2 Assets"));
    return font.Get();
}

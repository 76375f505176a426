#include "entries/entry_fonts.h"

#include "entries/entries_state.h"

namespace {

constexpr int kEntryTextHeight = 18;
constexpr int kFieldHeight = 14;

HFONT CreateSegoeFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
}

// Creation is tried again at the next call when it fails.
HFONT FontOrDefault(UniqueFont& font, int height) {
    if (!font) font.Reset(CreateSegoeFont(height));
    return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

HFONT EntryTextFont() {
    return FontOrDefault(CurrentEntriesState().entryTextFont, kEntryTextHeight);
}

HFONT FieldFont() {
    return FontOrDefault(CurrentEntriesState().fieldFont, kFieldHeight);
}

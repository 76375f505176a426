// The fonts shared by every note and dialog. Created once, kept in the
// program's state: they live as long as the windows that use them, which is
// the whole run.
#pragma once

#include <windows.h>

// The 16-pixel "Segoe UI" text font, or null until the first note made it.
HFONT TextFont();
// Creates TextFont if needed (the first note window does this).
HFONT EnsureTextFont();
// TextFont, or the stock GUI font while it does not exist.
HFONT TextFontOrDefault();

// The 15-pixel "Segoe MDL2 Assets" icon font for the pin glyph; null when it
// cannot be created (creation is tried again at the next call).
HFONT GlyphFont();

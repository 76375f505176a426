// A small modal dialog in the owner note's colour that asks for one line of
// text (a category or subcategory name).
#pragma once

#include <windows.h>

#include <string>

#include "base/colour.h"

constexpr wchar_t kTextInputDialogClass[] = L"QuillboardSaisie";

// Shows the dialog over `owner` (a note window) in the owner note's
// `colour`, with `title` already translated and `initialText` fully selected
// in the edit field. Returns true and the edit field's text when OK (or
// Enter) ends it; false and an empty text when it is cancelled, closed, or
// the program is quitting.
bool ShowTextInputDialog(HWND owner, ColourRef colour, const std::u16string& title,
                         const std::u16string& initialText, std::u16string& text);

// Owner-drawn popup menu items, painted by the owning note in its colour.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/colour.h"

// How an item's text is drawn. The program's own labels take the usual
// prefix processing (an ampersand underlines the character after it); the
// user's own words, such as a category name or an entry's text, are drawn
// exactly as typed, ampersands included.
enum class MenuTextKind { Label, Literal };

// The record behind one owner-drawn item (the item's data points to it).
struct OwnerDrawMenuItem {
    std::u16string text;  // as displayed; empty for separators
    MenuTextKind textKind = MenuTextKind::Label;
    bool hasSubmenu = false;
    bool isSeparator = false;
    bool isChecked = false;
    bool isGreyed = false;
};

// The records of one menu tree; they must outlive the menu's tracking.
using OwnerDrawItems = std::vector<std::unique_ptr<OwnerDrawMenuItem>>;

// Appends an owner-drawn item. flags are the usual MF_ bits (MF_POPUP with a
// submenu handle as idOrSubmenu, MF_SEPARATOR, MF_CHECKED, MF_GRAYED).
void AppendOwnerDrawItem(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const std::u16string& text,
                         OwnerDrawItems& records, MenuTextKind textKind = MenuTextKind::Label);

// WM_MEASUREITEM and WM_DRAWITEM for owner-drawn menu items: the owner
// window measures with its DC, and the items are painted on menuColour (the
// note's colour). False when the request is not for an owner-drawn menu item.
bool MeasureOwnerDrawMenuItem(HWND owner, MEASUREITEMSTRUCT* measure);
bool DrawOwnerDrawMenuItem(ColourRef menuColour, const DRAWITEMSTRUCT* draw);

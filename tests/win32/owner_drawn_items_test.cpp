// The note menu's owner-drawn items, measured and painted through the note
// window.
#include <windows.h>

#include <string>

#include "category_scene.h"
#include "notes/note_window_state.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "ui/core/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/wide.h"

// Measuring and painting the owner-drawn items, through the note window. The
// colours are the core's; here the note paints with them.

namespace {

constexpr int kItemWidth = 220;
constexpr int kItemHeight = 28;

// One item as the note draws it.
ScreenPicture DrawnItem(HWND note, const OwnerDrawMenuItem& item, bool selected, int height = kItemHeight) {
    return ScreenPicture::Drawn(kItemWidth, height, [&](HDC dc) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (selected ? ODS_SELECTED : 0) | (item.isGreyed ? ODS_GRAYED | ODS_DISABLED : 0);
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, kItemWidth, height};
        draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
        EXPECT_EQ(SendMessageW(note, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    });
}

MEASUREITEMSTRUCT Measure(HWND note, const OwnerDrawMenuItem& item) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    return measure;
}

}  // namespace

TEST_F(CategoryMenu, ItemsAreMeasuredFromTheirTextInTheNoteFont) {
    HWND note = MakeNote({});
    ASSERT_EQ(TextFontOrDefault(), TextFont());  // the note made the font
    // The sizes below hold for the 16-pixel note font as Wine draws it, in
    // which this text is 164 pixels wide and 22 high.
    const std::u16string text = u"Gerer les categories...";
    WindowDc screen(nullptr);
    SelectScope font(screen.Get(), TextFontOrDefault());
    SIZE extent{};
    GetTextExtentPoint32W(screen.Get(), Wide(text), static_cast<int>(text.size()), &extent);
    ASSERT_EQ(extent.cx, 164);
    ASSERT_EQ(extent.cy, 22);

    // The text, the check column and the right margin; 3 pixels above and
    // below; 6 more for a submenu's triangle.
    struct Case {
        OwnerDrawMenuItem item;
        UINT width, height;
    };
    const Case cases[] = {{{.text = text}, 200, 28}, {{.text = text, .hasSubmenu = true}, 206, 28},
                          {{.text = u"", .isSeparator = true}, 0, 8}};
    for (const Case& c : cases) {
        const MEASUREITEMSTRUCT measured = Measure(note, c.item);
        EXPECT_EQ(measured.itemWidth, c.width);
        EXPECT_EQ(measured.itemHeight, c.height);
    }
    // Requests that are not for a menu item are left to the system.
    MEASUREITEMSTRUCT control{};
    control.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&control)), FALSE);
}

TEST_F(CategoryMenu, ItemsShowContrastingTextOnTheNoteColourAndTheSelectionInItsShade) {
    struct Case {
        ColourRef base, text, otherText;
    };
    for (const Case& c : {Case{kDefaultNoteColour, kDarkTextColour, kLightTextColour},
                          Case{kDarkColour, kLightTextColour, kDarkTextColour}}) {
        SCOPED_TRACE(c.base);
        HWND note = MakeNote({.id = c.base, .colour = c.base});
        const OwnerDrawMenuItem item{.text = u"Maison"};
        const ScreenPicture normal = DrawnItem(note, item, false);
        EXPECT_EQ(normal.At(kItemWidth - 2, 1), c.base);
        EXPECT_GT(normal.Count({24, 0, kItemWidth, kItemHeight}, c.text), 10);
        EXPECT_EQ(normal.Count({0, 0, 24, kItemHeight}, c.text), 0);  // no check mark, text starts at 24
        EXPECT_EQ(normal.Count({0, 0, kItemWidth, kItemHeight}, c.otherText), 0);

        const ScreenPicture selected = DrawnItem(note, item, true);
        const ColourRef selection = OwnerDrawMenuColours(c.base).selectedBackground;
        EXPECT_EQ(selected.At(kItemWidth - 2, 1), selection);
        EXPECT_EQ(selected.At(2, 26), selection);
        EXPECT_GT(selected.Count({24, 0, kItemWidth, kItemHeight}, c.text), 10);
    }
}

TEST_F(CategoryMenu, CheckMarkInTheTextColourEvenOnAGreyedItemWhoseTextIsFaded) {
    for (ColourRef base : {kDefaultNoteColour, kDarkColour}) {
        SCOPED_TRACE(base);
        HWND note = MakeNote({.id = base, .colour = base});
        const MenuColours colours = OwnerDrawMenuColours(base);
        const ScreenPicture checked = DrawnItem(note, {.text = u"Ordinaire", .isChecked = true}, false);
        EXPECT_GT(checked.Count({6, 14 - 6, 18, 14 + 6}, colours.text), 6);
        EXPECT_EQ(checked.At(10, 14 + 4), colours.text);  // the bottom of the tick
        const ScreenPicture greyed =
            DrawnItem(note, {.text = u"Tessaline (Section 2)", .isChecked = true, .isGreyed = true}, false);
        EXPECT_GT(greyed.Count({24, 0, kItemWidth, kItemHeight}, colours.greyedText), 10);
        EXPECT_EQ(greyed.Count({24, 0, kItemWidth, kItemHeight}, colours.text), 0);
        EXPECT_GT(greyed.Count({6, 0, 18, kItemHeight}, colours.text), 6);  // the check mark
    }
}

TEST_F(CategoryMenu, SeparatorIsAThinLineInsetFromBothEdges) {
    HWND note = MakeNote({});
    const ColourRef line = OwnerDrawMenuColours(kDefaultNoteColour).separator;
    // Never drawn as selected.
    const ScreenPicture separator = DrawnItem(note, {.text = u"", .isSeparator = true}, true, 8);
    EXPECT_EQ(separator.At(6, 4), line);
    EXPECT_EQ(separator.At(kItemWidth - 7, 4), line);
    EXPECT_EQ(separator.At(5, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.At(kItemWidth - 6, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.Count({0, 0, kItemWidth, 8}, line), kItemWidth - 12);
}

TEST_F(CategoryMenu, SubmenuItemsEndInATriangleAndLongTextIsCutBeforeIt) {
    HWND note = MakeNote({});
    const std::u16string longText(60, u'W');
    const ScreenPicture submenu = DrawnItem(note, {.text = longText, .hasSubmenu = true}, false);
    EXPECT_EQ(submenu.At(kItemWidth - 11, 14), kDarkTextColour);
    EXPECT_EQ(submenu.At(kItemWidth - 6, 14), kDefaultNoteColour);
    EXPECT_EQ(submenu.At(kItemWidth - 11, 14 - 6), kDefaultNoteColour);
    // Nothing of the text between its box and the triangle.
    EXPECT_EQ(submenu.Count({kItemWidth - 18, 0, kItemWidth - 12, kItemHeight}, kDarkTextColour), 0);

    const ScreenPicture plain = DrawnItem(note, {.text = longText}, false);
    EXPECT_EQ(plain.Count({kItemWidth - 12, 0, kItemWidth, kItemHeight}, kDarkTextColour), 0);
    // Up to the ellipsis.
    EXPECT_GT(plain.Count({kItemWidth - 40, 0, kItemWidth - 12, kItemHeight}, kDarkTextColour), 0);
}

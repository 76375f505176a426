// Names the user typed show in the menus exactly as typed: an ampersand in
// a category name is a character, not a mnemonic marker.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "categories/category_menu.h"
#include "storage/category_storage.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "ui/core/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr char16_t kFiledName[] = u"    R&D & co";  // the subcategory, indented under its category
constexpr int kItemHeight = 28;
constexpr int kPictureWidth = 300;

// The pixels of a menu item's place filled with the note colour, once `paint` has drawn on it.
std::vector<COLORREF> ItemPixels(int width, const std::function<void(HDC)>& paint) {
    const WindowDc screen(nullptr);
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, kItemHeight));
    const SelectScope selected(dc.Get(), bitmap.Get());
    const RECT all{0, 0, width, kItemHeight};
    FillRect(dc.Get(), &all, UniqueBrush(CreateSolidBrush(kDefaultNoteColour)).Get());
    paint(dc.Get());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kItemHeight; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    }
    return pixels;
}

// The name drawn by hand in the item's place, font and colour.
std::function<void(HDC)> Reference(int width, UINT prefix) {
    return [width, prefix](HDC dc) {
        const SelectScope font(dc, TextFontOrDefault());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ContrastTextColour(kDefaultNoteColour));
        RECT box{24, 0, width - 12, kItemHeight};
        DrawTextW(dc, Wide(kFiledName), -1, &box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | prefix);
    };
}

class MenuText : public DataFolderTest {};

}  // namespace

TEST_F(MenuText, CategoryNamesInTheNoteMenuAreMeasuredAndDrawnAsTyped) {
    Data().Write(u"categories.txt", "NEXTID|3\r\nCAT|1|A0E0FF|Maison & famille\r\nSUB|1|2|R&D & co\r\n");
    LoadCategories();
    HWND note = MakeNote(TestNote{.x = 200, .y = 200, .category = 1});
    OwnerDrawItems records;
    DestroyMenu(BuildCategoryPopupMenu(note, records));
    // Filing: the category and its subcategory; managing: both submenus. No label of the program's own.
    std::vector<std::u16string> literal;
    const OwnerDrawMenuItem* filed = nullptr;
    for (const auto& record : records) {
        if (record->textKind == MenuTextKind::Literal) literal.push_back(record->text);
        if (record->text == kFiledName) filed = record.get();
    }
    EXPECT_EQ(literal,
              (std::vector<std::u16string>{u"Maison & famille", kFiledName, u"R&D & co", u"Maison & famille"}));
    ASSERT_NE(filed, nullptr);

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(filed)};
    ASSERT_TRUE(MeasureOwnerDrawMenuItem(note, &measure));
    const int width = static_cast<int>(measure.itemWidth);
    const std::vector<COLORREF> drawn = ItemPixels(width, [&](HDC dc) {
        const DRAWITEMSTRUCT draw{ODT_MENU, 0, 0, 0, 0, nullptr, dc, RECT{0, 0, width, kItemHeight}, measure.itemData};
        EXPECT_TRUE(DrawOwnerDrawMenuItem(kDefaultNoteColour, &draw));
    });
    // In the width it was measured for, the whole name with its ampersands and without an
    // ellipsis, not the mnemonic reading "RD _co".
    EXPECT_TRUE(drawn == ItemPixels(width, Reference(width, DT_NOPREFIX)));
    EXPECT_FALSE(drawn == ItemPixels(width, Reference(width, 0)));

    // The picture: down to "Gérer les catégories…" (the type submenu, a separator,
    // "Non catégorisé", a separator, the category, its subcategory, a separator,
    // "Nouvelle catégorie…", then it), into it and into the category.
    SetForegroundWindow(note);
    PumpUntil([note] { return GetForegroundWindow() == note; });
    ScriptedUser user;
    user.WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
    user.WhenMenusOpen(2, {VK_RIGHT});
    user.Then([&] {
        if (user.OpenMenus().size() != 3) return false;
        SaveScreenshotIfAsked(u"menu-ampersand", RECT{180, 180, 180 + 4 * kPictureWidth, 560});
        PressKeys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
        return true;
    });
    ShowCategoryMenu(note, 460, 215);  // beside the note, as a picture shows it best
    EXPECT_TRUE(user.WaitUntilDone());
}

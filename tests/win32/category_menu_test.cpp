// The note menu on real windows: the HMENU as built from the core's menu, and
// the menu tracked with real keys.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "categories/category_menu.h"
#include "categories/core/category_menu_model.h"
#include "category_scene.h"
#include "notes/note_commands.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "support/note_file_text.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/owner_draw_menu.h"
#include "win/handles.h"

namespace {

// The core decides the items (its tests go through the whole tree in both
// languages); the shell turns each into an owner-drawn item with the same
// text, id, check and state, backed by one of the menu's records.
void ExpectMenu(HMENU menu, const std::vector<MenuItem>& expected, const OwnerDrawItems& records) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const MenuItem& want = expected[i];
        const bool separator = want.kind == MenuItem::Kind::Separator;
        const bool submenu = want.kind == MenuItem::Kind::Submenu;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW));
        ASSERT_TRUE(std::any_of(records.begin(), records.end(), [&](const auto& record) {
            return reinterpret_cast<ULONG_PTR>(record.get()) == info.dwItemData;
        }));
        const auto* record = reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData);
        EXPECT_EQ(record->text, want.text);
        EXPECT_EQ(record->isSeparator, separator);
        EXPECT_EQ(record->hasSubmenu, submenu);
        EXPECT_EQ(record->isChecked, want.checked);
        EXPECT_EQ(record->isGreyed, want.greyed);
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, want.checked);
        EXPECT_EQ((info.fState & MFS_DISABLED) != 0, want.greyed || separator);
        EXPECT_EQ((info.fState & MF_GRAYED) != 0, want.greyed);
        if (submenu) {
            ASSERT_NE(info.hSubMenu, nullptr);
            ExpectMenu(info.hSubMenu, want.children, records);
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr);
            EXPECT_EQ(info.wID, want.id);
        }
    }
}

size_t CountItems(const std::vector<MenuItem>& items) {
    size_t count = items.size();
    for (const MenuItem& item : items) count += CountItems(item.children);
    return count;
}

}  // namespace

TEST_F(CategoryMenu, BuiltMenuHoldsTheCoreMenuAsOwnerDrawnItems) {
    UseTwoCategories();
    // Scheduled, filed under "Travail > Plus tard": checked items at two
    // levels and the greyed placeholder type.
    HWND note = MakeNote({.colour = kWorkColour, .category = kWork, .subcategory = kLater, .type = kNoteScheduled});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    const std::vector<MenuItem> model = BuildCategoryMenu(Categories(), kNoteScheduled, kWork, kLater);
    ExpectMenu(menu.Get(), model, records);
    EXPECT_EQ(records.size(), CountItems(model));  // every item has its record, submenu items included
}

TEST_F(CategoryMenu, AWindowWithoutANoteGetsNoMenu) {
    OwnerDrawItems records;
    EXPECT_EQ(BuildCategoryPopupMenu(nullptr, records), nullptr);
    HWND notANote = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(BuildCategoryPopupMenu(notANote, records), nullptr);
    ShowCategoryMenu(notANote, 10, 10);  // returns at once: nothing to track
    EXPECT_TRUE(records.empty());
    DestroyWindow(notANote);
}

// The real menu, tracked and walked with the keyboard. Every item counts as
// a step for the arrow keys, separators too (they are disabled owner-drawn
// items); the first Down selects the first item, Right opens a submenu on its
// first item.
TEST_F(CategoryMenu, RightClickOpensTheMenuAtTheCursorAndTheKeyboardChoosesScheduled) {
    UseTwoCategories();
    HWND note = MakeNote({.x = 200, .y = 150, .text = u"texte"});
    RECT menuRect{};
    std::vector<MenuLook> looks;
    user_.WhenMenusOpen(1, {VK_DOWN, VK_RIGHT}, [&] { GetWindowRect(user_.OpenMenus().front(), &menuRect); });
    user_.WhenMenusOpen(2, {VK_DOWN, VK_RETURN}, [&] {
        for (HWND menu : user_.OpenMenus()) looks.push_back(LookAt(MenuOfWindow(menu)));
    });
    SendMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(260, 210));

    EXPECT_EQ(menuRect.left, 260);
    EXPECT_EQ(menuRect.top, 210);
    ASSERT_EQ(looks.size(), 2u);
    for (const MenuLook& look : looks) {
        EXPECT_TRUE(look.noCheckColumn);
        EXPECT_EQ(look.background, kDefaultNoteColour);  // the submenu too
    }
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteScheduled);
    EXPECT_FALSE(NoteEditShown(note));
    EXPECT_EQ(NoteFile(1), NoteFileText({.x = 200, .y = 150, .type = 1, .body = "texte"}));
    EXPECT_TRUE(user_.OpenMenus().empty());
}

// A menu left without a choice changes nothing.
TEST_F(CategoryMenu, TheGreyedPlaceholderTypeCannotBeChosen) {
    HWND note = MakeNote({.text = u"texte"});
    bool onPlaceholder = false;
    user_.WhenMenusOpen(1, {VK_DOWN, VK_RIGHT});
    user_.WhenMenusOpen(2, {VK_DOWN, VK_DOWN});
    user_.WhenMenusOpen(2, {VK_RETURN}, [&] {
        for (HWND window : user_.OpenMenus()) {
            HMENU menu = MenuOfWindow(window);
            if (GetMenuItemCount(menu) == 3) onPlaceholder = (GetMenuState(menu, 2, MF_BYPOSITION) & MF_HILITE) != 0;
        }
    });
    // Where the system keeps the menu open on a disabled item, leave it.
    user_.WhenMenusOpen(2, {VK_ESCAPE, VK_ESCAPE});
    OwnerDrawItems records;
    const UINT command = TrackNoteMenu(note, BuildCategoryPopupMenu(note, records), 150, 150);
    user_.Forget();  // the last step is not needed where the menu closes

    EXPECT_TRUE(onPlaceholder);
    EXPECT_EQ(command, 0u);
    EXPECT_TRUE(user_.OpenMenus().empty());
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteRegular);
    EXPECT_FALSE(FileExists(Data().NotePath(1)));
}

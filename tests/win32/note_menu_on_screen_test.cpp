// The note menu as it shows on the screen, and pictures of it for the docs
// when QB_SCREENSHOTS names a folder.
#include <windows.h>

#include <vector>

#include "categories/category_menu.h"
#include "category_scene.h"
#include "notes/note_window_state.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "ui/core/colour_rules.h"
#include "win/handles.h"

// The menu as it shows on the screen, and pictures of it for the docs when
// QB_SCREENSHOTS names a folder.

namespace {

// What one open menu level shows inside its frame: only the note's colour,
// the selection, separators, text and the marks the items paint themselves.
struct MenuPixels {
    int background = 0;
    int selected = 0;
    int foreign = 0;  // darker than the dark text, or lighter than the light text
    int total = 0;
};

MenuPixels ReadMenuPixels(HWND menu, ColourRef base) {
    const ColourRef selection = OwnerDrawMenuColours(base).selectedBackground;
    RECT client{};
    GetClientRect(menu, &client);
    MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const ScreenPicture picture(client);
    MenuPixels counts;
    counts.total = (client.right - client.left) * (client.bottom - client.top);
    counts.background = picture.Count(client, [&](COLORREF c) { return c == base; });
    counts.selected = picture.Count(client, [&](COLORREF c) { return c == selection; });
    counts.foreign = picture.Count(client, [&](COLORREF c) {
        return c == CLR_INVALID || Luminance(c) < Luminance(kDarkTextColour) - 2 ||
               Luminance(c) > Luminance(kLightTextColour) + 2;
    });
    return counts;
}

class NoteMenuOnScreen : public CategoryMenu {
protected:
    // Opens the menu of a note of that colour at a point inside it, walks it
    // with `keys` until `depth` levels are open, checks what every level
    // shows, and saves a picture as `pictureName` when pictures are wanted.
    void ShowAndLook(ColourRef colour, std::vector<WORD> keys, size_t depth, const char16_t* pictureName) {
        UseTwoCategories();
        HWND note = MakeNote({.x = 120, .y = 120, .colour = colour, .text = u"Appeler Paul\r\nLivres"});
        // As after the user's click on it. Activated only by the menu, the
        // note would be raised over the menu on the X side under Wine.
        SetForegroundWindow(note);
        PumpUntil([note] { return GetForegroundWindow() == note; });
        PumpPending();
        std::vector<MenuPixels> levels;
        user_.WhenMenusOpen(1, std::move(keys));
        // Waits, inside the menu's own loop, until every open level is
        // painted with its chosen item and the whole scene (the note and
        // every level, with a margin) stays the same from one tick to the
        // next (the screen can show a window a moment before all of it is drawn).
        auto previous = std::make_shared<std::uint64_t>(0);
        user_.Then([&, previous] {
            const std::vector<HWND> menus = user_.OpenMenus();
            if (menus.size() != depth) return false;
            RECT scene{};
            GetWindowRect(note, &scene);
            for (HWND menu : menus) {
                const MenuPixels pixels = ReadMenuPixels(menu, colour);
                if (pixels.background < pixels.total / 3 || pixels.selected == 0) return false;
                RECT rect{};
                GetWindowRect(menu, &rect);
                UnionRect(&scene, &scene, &rect);
            }
            InflateRect(&scene, 10, 10);
            const std::uint64_t now = ScreenPicture(scene).Fingerprint();
            const bool settled = now == *previous;
            *previous = now;
            if (!settled) return false;
            for (HWND menu : menus) levels.push_back(ReadMenuPixels(menu, colour));
            SaveScreenshotIfAsked(pictureName, scene);
            PressKeys(std::vector<WORD>(depth, VK_ESCAPE));
            return true;
        });
        ShowCategoryMenu(note, 200, 135);
        ASSERT_EQ(levels.size(), depth);
        for (const MenuPixels& level : levels) {
            EXPECT_EQ(level.foreign, 0);
            EXPECT_GT(level.selected, 0);  // every level shows its chosen item
        }
    }
};

}  // namespace

TEST_F(NoteMenuOnScreen, LightNoteMenuIsPaintedInTheNoteColourWithDarkText) {
    // Down to "Travail".
    ShowAndLook(kDefaultNoteColour, std::vector<WORD>(5, VK_DOWN), 1, u"note-menu-light");
}

TEST_F(NoteMenuOnScreen, DarkNoteMenuIsPaintedInTheNoteColourWithLightText) {
    ShowAndLook(kDarkColour, std::vector<WORD>(5, VK_DOWN), 1, u"note-menu-dark");
}

TEST_F(NoteMenuOnScreen, ManageSubmenusShowInTheNoteColourToo) {
    // Down to "Gérer les catégories…", into it on "Travail", into that.
    std::vector<WORD> keys(11, VK_DOWN);
    keys.insert(keys.end(), {VK_RIGHT, VK_RIGHT});
    ShowAndLook(kDefaultNoteColour, keys, 3, u"manage-categories");
}

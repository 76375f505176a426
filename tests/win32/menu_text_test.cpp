// Names the user typed show in the menus exactly as typed: an ampersand in
// a category name is a character, not a mnemonic marker.
#include <windows.h>

#include "categories/category_menu.h"
#include "storage/category_storage.h"
#include "support/scripted_user.h"
#include "support/screen_picture.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "ui/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kName[] = L"R&D & co";
constexpr int kItemHeight = 28;
constexpr int kPictureWidth = 300;

// A bitmap the size of one menu item, filled with the note colour.
class ItemCanvas {
public:
    explicit ItemCanvas(int width) : width_(width), screen_(nullptr), dc_(CreateCompatibleDC(screen_.Get())) {
        bitmap_.Reset(CreateCompatibleBitmap(screen_.Get(), width, kItemHeight));
        selected_ = SelectObject(dc_.Get(), bitmap_.Get());
        const UniqueBrush brush(CreateSolidBrush(kDefaultNoteColour));
        RECT all{0, 0, width, kItemHeight};
        FillRect(dc_.Get(), &all, brush.Get());
    }
    ~ItemCanvas() { SelectObject(dc_.Get(), selected_); }
    ItemCanvas(const ItemCanvas&) = delete;
    ItemCanvas& operator=(const ItemCanvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    bool SameAs(const ItemCanvas& other) const {
        for (int y = 0; y < kItemHeight; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (GetPixel(dc_.Get(), x, y) != GetPixel(other.dc_.Get(), x, y)) return false;
            }
        }
        return true;
    }

private:
    int width_;
    WindowDc screen_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ selected_ = nullptr;
};

// What a text drawn in the item's place, font and colour looks like.
void DrawReference(const ItemCanvas& canvas, int width, UINT prefix) {
    SelectScope font(canvas.Dc(), TextFontOrDefault());
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), ContrastTextColour(kDefaultNoteColour));
    RECT box{24, 0, width - 12, kItemHeight};
    DrawTextW(canvas.Dc(), kName, -1, &box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | prefix);
}

class MenuText : public DataFolderTest {};

}  // namespace

TEST_F(MenuText, ACategoryNameWithAmpersandsIsMeasuredAndDrawnAsTyped) {
    HWND note = MakeNote(TestNote{});
    OwnerDrawItems records;
    const UniqueMenu menu(CreatePopupMenu());
    AppendOwnerDrawItem(menu.Get(), MF_STRING, 100, FromWide(kName), records, MenuTextKind::Literal);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(records.front().get());
    ASSERT_TRUE(MeasureOwnerDrawMenuItem(note, &measure));
    // As wide as every character of the name, ampersands included, plus the
    // check column and the right margin.
    SIZE text{};
    {
        const WindowDc dc(note);
        SelectScope font(dc.Get(), TextFontOrDefault());
        GetTextExtentPoint32W(dc.Get(), kName, lstrlenW(kName), &text);
    }
    EXPECT_EQ(static_cast<int>(measure.itemWidth), text.cx + 36);

    const int width = static_cast<int>(measure.itemWidth);
    ItemCanvas drawn(width);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 100;
    draw.hDC = drawn.Dc();
    draw.rcItem = RECT{0, 0, width, kItemHeight};
    draw.itemData = measure.itemData;
    ASSERT_TRUE(DrawOwnerDrawMenuItem(kDefaultNoteColour, &draw));

    // The whole name, with its ampersands and without an ellipsis...
    ItemCanvas asTyped(width);
    DrawReference(asTyped, width, DT_NOPREFIX);
    EXPECT_TRUE(drawn.SameAs(asTyped));
    // ...and not the mnemonic reading ("RD _co" with an underline).
    ItemCanvas asMnemonic(width);
    DrawReference(asMnemonic, width, 0);
    EXPECT_FALSE(drawn.SameAs(asMnemonic));
}

TEST_F(MenuText, NoteMenuAndManageSubmenuShowTheNameAsTyped) {
    Data().Write(u"categories.txt", "NEXTID|3\r\nCAT|1|A0E0FF|Maison & famille\r\nSUB|1|2|R&D & co\r\n");
    LoadCategories();
    HWND note = MakeNote(TestNote{.x = 200, .y = 200, .category = 1});
    SetForegroundWindow(note);
    PumpUntil([note] { return GetForegroundWindow() == note; });

    // Down to "Gerer les categories..." (the type submenu, a separator,
    // "Non-categorise", a separator, the category, its subcategory, a
    // separator, "Nouvelle categorie...", then it), into it and into the category.
    ScriptedUser user;
    std::vector<std::u16string> shown;
    user.WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
    user.WhenMenusOpen(2, {VK_RIGHT});
    user.Then([&] {
        if (user.OpenMenus().size() != 3) return false;
        RECT scene{180, 180, 180 + 4 * kPictureWidth, 560};
        SaveScreenshotIfAsked(u"menu-ampersand", scene);
        PressKeys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
        return true;
    });
    OwnerDrawItems records;
    HMENU menu = BuildCategoryPopupMenu(note, records);
    ASSERT_NE(menu, nullptr);
    for (const auto& record : records) shown.push_back(record->text);
    DestroyMenu(menu);
    PumpPending();
    ShowCategoryMenu(note, 460, 215);  // beside the note, as a picture shows it best
    EXPECT_TRUE(user.WaitUntilDone());

    // Every item naming the category or the subcategory is drawn literally.
    int literal = 0;
    for (const auto& record : records) {
        if (record->text.find(u'&') == std::u16string::npos) continue;
        EXPECT_EQ(record->textKind, MenuTextKind::Literal) << std::string(record->text.begin(), record->text.end());
        ++literal;
    }
    EXPECT_EQ(literal, 4);  // filing: category and subcategory; managing: both submenus
}

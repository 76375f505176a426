// The commands that change one note: type, pin, colour, the colour dialog,
// and the popup menus shown in the note's colour.
#include <algorithm>
#include <string>
#include <vector>

#include "notes/docking.h"
#include "notes/note_commands.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

// A client point inside the pin box of a note 240 pixels wide.
constexpr int kPinX = 203;
constexpr int kPinY = 15;

// The pixels of a client rectangle of a window as they are on the screen.
std::vector<COLORREF> PixelsOf(HWND window, const Rect& area) {
    std::vector<COLORREF> pixels;
    const WindowDc dc(window);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    }
    return pixels;
}

class NoteCommands : public DataFolderTest {};

}  // namespace

TEST_F(NoteCommands, SetNoteTypeSwitchesTheBodyAndKeepsTheTextAndTheEntries) {
    HWND note = MakeNote({.x = 200, .y = 200, .entries = {NoteEntry{1, 202501011200, 0, 0, 0, u"call"}},
                          .text = u"some text"});
    struct Step {
        std::uint32_t type;
        bool editShown;
    };
    for (const Step& step : {Step{1, false}, Step{2, false}, Step{0, true}, Step{2, false}, Step{0, true}}) {
        SCOPED_TRACE(step.type);
        SetNoteType(note, step.type);
        EXPECT_EQ(NoteFromWindow(note)->type, static_cast<std::int32_t>(step.type));
        EXPECT_EQ(NoteEditShown(note), step.editShown);
        EXPECT_EQ(NoteText(note), u"some text");
        // A hidden edit still keeps and saves its text.
        EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .type = static_cast<int>(step.type),
                                                 .entries = {"1|202501011200|0|0|0|call"}, .body = "some text"}));
    }
    // Types above two are ignored: nothing changes, nothing is saved.
    ASSERT_TRUE(DeleteFileW(Wide(NoteFileOf(note))));
    for (std::uint32_t type : {3u, 4u, 0x80000000u, 0xFFFFFFFFu}) SetNoteType(note, type);
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteRegular);
    EXPECT_TRUE(NoteEditShown(note));
    EXPECT_FALSE(FileExists(NoteFileOf(note)));
}

// The pin is drawn whether or not the icon font exists (under Wine it does
// not, and a vector pin is drawn instead): a pinned and an unpinned note
// show different drawings, and toggling repaints the box at once.
TEST_F(NoteCommands, AClickOnThePinBoxTogglesTopmostSavesItAndRedrawsThePin) {
    HWND left = MakeNote({.id = 1, .x = 300, .y = 300, .text = u"Pinned note"});
    HWND right = MakeNote({.id = 2, .x = 560, .y = 300, .text = u"Unpinned note"});
    const Rect pinBox{194, 6, 212, 24};
    const COLORREF header = HeaderColour(kDefaultNoteColour);
    // More than ten pixels of the box are not the header's.
    const auto drawn = [&](const std::vector<COLORREF>& pixels) {
        return std::ssize(pixels) - std::ranges::count(pixels, header) > 10;
    };
    ASSERT_TRUE(PumpUntil([&] { return WindowPixel(left, 2, 2) == header && WindowPixel(right, 2, 2) == header; }));
    const std::vector<COLORREF> unpinned = PixelsOf(left, pinBox);
    EXPECT_TRUE(drawn(unpinned)) << "an unpinned pin is drawn";
    EXPECT_EQ(PixelsOf(right, pinBox), unpinned);
    ASSERT_FALSE(IsTopmost(left));

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_TRUE(NoteFromWindow(left)->pinned);
    EXPECT_TRUE(IsTopmost(left));
    // Neither moved nor resized.
    EXPECT_EQ(SavedFile(left), NoteFileText({.x = 300, .y = 300, .pinned = 1, .body = "Pinned note"}));
    EXPECT_EQ(WindowRect(left), (Rect{300, 300, 540, 500}));
    ASSERT_TRUE(PumpUntil([&] { return PixelsOf(left, pinBox) != unpinned; }));
    const std::vector<COLORREF> pinned = PixelsOf(left, pinBox);
    EXPECT_TRUE(drawn(pinned)) << "a pinned pin is drawn";
    int different = 0;
    for (size_t i = 0; i < pinned.size(); ++i) different += pinned[i] != unpinned[i] ? 1 : 0;
    EXPECT_GT(different, 10);
    SaveScreenshotIfAsked(u"pinned-unpinned");

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_FALSE(NoteFromWindow(left)->pinned);
    EXPECT_FALSE(IsTopmost(left));
    EXPECT_EQ(SavedFile(left), NoteFileText({.x = 300, .y = 300, .body = "Pinned note"}));
    EXPECT_TRUE(PumpUntil([&] { return PixelsOf(left, pinBox) == unpinned; }));
}

TEST_F(NoteCommands, ExactCategoryColourFilesTheNoteAndAnyOtherColourUncategorisesIt) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {Subcategory{6, u"Projets"}}});
    Categories().categories.push_back(Category{7, u"Maison", 0x00112233, {}});
    Categories().nextId = 8;
    HWND note = MakeNote({.x = 200, .y = 200, .category = 7, .text = u"some text"});
    struct Case {
        ColourRef colour;
        int category;
        std::string savedColour;
    };
    const Case cases[] = {
        {0x00336699, 5, "996633"},  // the category's colour: filed under it, no subcategory
        {0x0033669A, 0, "9A6633"},  // one unit off in red
        {0x00336699, 5, "996633"},
        {0x00346699, 0, "996634"},  // one unit off in blue
        {0x00112233, 7, "332211"},
        {0x00FFFFFF, 0, "FFFFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.savedColour);
        NoteFromWindow(note)->subcategoryId = 6;  // as if it had been in a subcategory
        SetNoteColour(note, c.colour);
        const Note* record = NoteFromWindow(note);
        EXPECT_EQ(record->colour, c.colour);
        EXPECT_EQ(record->categoryId, c.category);
        EXPECT_EQ(record->subcategoryId, 0);
        EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .colour = c.savedColour, .category = c.category,
                                             .body = "some text"}));
    }
}

TEST_F(NoteCommands, NewColourPaintsTheNoteAndTurnsTheTextLight) {
    HWND note = MakeNote({.x = 400, .y = 300, .text = u"Light text on a dark note.\r\nThe header is darker still."});
    const ColourRef dark = 0x00284878;  // a dark brown
    ASSERT_TRUE(PumpUntil([&] { return WindowPixel(note, 120, 150) == kDefaultNoteColour; }));

    SetNoteColour(note, dark);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectW(NoteBackgroundBrush(note), sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbColor, dark);
    // The body under the edit, the edit's empty part and the header take the colour.
    EXPECT_TRUE(PumpUntil([&] { return WindowPixel(note, 120, 180) == dark; }));
    EXPECT_TRUE(PumpUntil([&] { return WindowPixel(note, 230, 150) == dark; }));
    EXPECT_EQ(WindowPixel(note, 150, 2), HeaderColour(dark));
    EXPECT_EQ(WindowPixel(note, 35, 15), dark);  // the swatch, inside its outline
    // The edit text is drawn in the light contrast colour.
    EXPECT_GT(std::ranges::count(PixelsOf(note, Rect{4, 30, 200, 50}), kLightTextColour), 10);
    SaveScreenshotIfAsked(u"dark-note");
}

TEST_F(NoteCommands, TheColourDialogOpensAtTheNoteColourAndOnlyAChoiceChangesIt) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {}});
    HWND note = MakeNote({.x = 200, .y = 200, .colour = 0x00A0B0C0, .text = u"some text"});
    ScriptedUser user;
    Seen cancelled, chosen;
    user.CancelColour(&cancelled);
    PickNoteColour(note);
    ASSERT_TRUE(cancelled.shown);
    EXPECT_EQ(cancelled.colour, 0x00A0B0C0u);
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00A0B0C0u);
    EXPECT_FALSE(FileExists(NoteFileOf(note)));

    user.AnswerColour(0x00336699, &chosen);
    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 15));  // the swatch
    ASSERT_TRUE(chosen.shown);
    EXPECT_EQ(chosen.colour, 0x00A0B0C0u);
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00336699u);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 5);  // the category's colour files it
    EXPECT_EQ(SavedFile(note),
              NoteFileText({.x = 200, .y = 200, .colour = "996633", .category = 5, .body = "some text"}));
}

// A plain menu shown by the note takes the note's colour, leaves out the
// check column, returns the chosen command and is destroyed afterwards.
TEST_F(NoteCommands, NoteMenuTakesTheNoteColourReturnsTheChoiceAndIsDestroyed) {
    const ColourRef colour = 0x00402010;
    HWND note = MakeNote({.x = 300, .y = 300, .colour = colour});
    HMENU menu = CreatePopupMenu();
    HMENU submenu = CreatePopupMenu();
    AppendMenuW(submenu, MF_STRING, 13, L"three");
    AppendMenuW(menu, MF_STRING, 11, L"one");
    AppendMenuW(menu, MF_STRING, 12, L"two");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"more");
    MenuLook menuLook, submenuLook;
    ScriptedUser user;
    user.WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_RETURN}, [&] {
        menuLook = LookAt(menu);
        submenuLook = LookAt(submenu);
    });
    EXPECT_EQ(TrackNoteMenu(note, menu, 350, 330), 12u);
    EXPECT_EQ(user.StepsLeft(), 0u);
    for (const MenuLook& look : {menuLook, submenuLook}) {
        EXPECT_EQ(look.background, colour);
        EXPECT_TRUE(look.noCheckColumn);
    }
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(submenu));
}

// A docked note takes a new type and pin at once, in its flags, its file
// and its z-order, yet keeps its edit hidden and a fresh strip is always on
// top; undocking then shows the edit and applies the pin.
TEST_F(NoteCommands, ADockedNoteTakesTypeAndPinAndShowsThemWhenUndocked) {
    HWND note = MakeNote({.x = 200, .y = 200, .type = kNoteScheduled, .pinned = true, .text = u"some text"});
    DockNote(note, kDockRight);
    SetNoteType(note, kNoteRegular);
    EXPECT_FALSE(NoteEditShown(note));
    TogglePin(note);
    EXPECT_FALSE(NoteFromWindow(note)->pinned);
    EXPECT_FALSE(IsTopmost(note));
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .dock = 3, .lastDock = 3, .body = "some text"}));
    UndockNote(note);
    EXPECT_TRUE(NoteEditShown(note));
    EXPECT_FALSE(IsTopmost(note));

    DockNote(note, kDockRight);
    EXPECT_TRUE(IsTopmost(note));
    TogglePin(note);
    EXPECT_TRUE(IsTopmost(note));
    UndockNote(note);
    EXPECT_TRUE(IsTopmost(note));  // pinned while docked: still on top when floating
}

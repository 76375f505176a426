// The commands that change one note: type, pin, colour, the colour dialog,
// and the popup menus shown in the note's colour.
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
#include "ui/colour_rules.h"
#include "win/handles.h"

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

int CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int different = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) different += a[i] != b[i] ? 1 : 0;
    return different;
}

int CountNot(const std::vector<COLORREF>& pixels, COLORREF background) {
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel != background ? 1 : 0;
    return count;
}

class NoteCommands : public DataFolderTest {};

}  // namespace

TEST_F(NoteCommands, SetNoteTypeSwitchesTheBodyAndKeepsTheText) {
    HWND note = MakeNote({.x = 200, .y = 200, .text = u"some text"});
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
                                             .body = "some text"}));
    }
}

TEST_F(NoteCommands, SetNoteTypeKeepsTheEntriesOfAScheduledNote) {
    HWND note = MakeNote({.x = 200, .y = 200, .type = kNoteScheduled});
    NoteFromWindow(note)->entries.push_back(NoteEntry{1, 202501011200, 0, 0, 0, u"call"});
    SetNoteType(note, kNoteRegular);
    EXPECT_EQ(NoteFromWindow(note)->entries.size(), 1u);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .entries = {"1|202501011200|0|0|0|call"}}));
}

TEST_F(NoteCommands, TypesAboveTwoAreIgnored) {
    HWND note = MakeNote({.x = 200, .y = 200, .type = kNoteScheduled, .text = u"some text"});
    for (std::uint32_t type : {3u, 4u, 0x80000000u, 0xFFFFFFFFu}) SetNoteType(note, type);
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteScheduled);
    EXPECT_FALSE(NoteEditShown(note));
    EXPECT_FALSE(FileExists(NoteFileOf(note)));  // nothing changed, nothing saved
}

TEST_F(NoteCommands, ADockedNoteKeepsItsEditHiddenUntilItIsUndocked) {
    HWND note = MakeNote({.x = 200, .y = 200, .type = kNoteScheduled, .text = u"some text"});
    DockNote(note, kDockLeft);
    SetNoteType(note, kNoteRegular);
    EXPECT_FALSE(NoteEditShown(note));
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .dock = 1, .lastDock = 1, .body = "some text"}));
    UndockNote(note);
    EXPECT_TRUE(NoteEditShown(note));
}

TEST_F(NoteCommands, AClickOnThePinBoxTogglesTopmostAndSavesIt) {
    HWND note = MakeNote({.x = 200, .y = 200, .text = u"some text"});
    ASSERT_FALSE(IsTopmost(note));

    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_TRUE(NoteFromWindow(note)->pinned);
    EXPECT_TRUE(IsTopmost(note));
    // Neither moved nor resized.
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .pinned = 1, .body = "some text"}));
    EXPECT_EQ(WindowRect(note), (Rect{200, 200, 440, 400}));

    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_FALSE(NoteFromWindow(note)->pinned);
    EXPECT_FALSE(IsTopmost(note));
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .body = "some text"}));
}

// The pin is drawn whether or not the icon font exists (under Wine it does
// not, and a vector pin is drawn instead): a pinned and an unpinned note
// show different drawings, and toggling repaints the box at once.
TEST_F(NoteCommands, PinGlyphIsRedrawnWhenThePinIsToggled) {
    HWND left = MakeNote({.id = 1, .x = 300, .y = 300, .text = u"Pinned note"});
    HWND right = MakeNote({.id = 2, .x = 560, .y = 300, .text = u"Unpinned note"});
    const Rect pinBox{194, 6, 212, 24};
    const COLORREF header = HeaderColour(kDefaultNoteColour);
    ASSERT_TRUE(PumpUntil([&] { return WindowPixel(left, 2, 2) == header && WindowPixel(right, 2, 2) == header; }));
    const std::vector<COLORREF> unpinned = PixelsOf(left, pinBox);
    EXPECT_GT(CountNot(unpinned, header), 10) << "an unpinned pin is drawn";
    EXPECT_EQ(PixelsOf(right, pinBox), unpinned);

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    ASSERT_TRUE(PumpUntil([&] { return PixelsOf(left, pinBox) != unpinned; }));
    const std::vector<COLORREF> pinned = PixelsOf(left, pinBox);
    EXPECT_GT(CountNot(pinned, header), 10) << "a pinned pin is drawn";
    EXPECT_GT(CountDifferent(pinned, unpinned), 10);
    SaveScreenshotIfAsked(u"pinned-unpinned");

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
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
    // The edit text is drawn in the light contrast colour.
    const std::vector<COLORREF> firstLine = PixelsOf(note, Rect{4, 30, 200, 50});
    int light = 0;
    for (COLORREF pixel : firstLine) light += pixel == kLightTextColour ? 1 : 0;
    EXPECT_GT(light, 10);
    SaveScreenshotIfAsked(u"dark-note");
}

TEST_F(NoteCommands, ColourDialogCancelledChangesNothing) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {}});
    HWND note = MakeNote({.x = 200, .y = 200, .colour = 0x00336699, .category = 5, .text = u"some text"});
    ScriptedUser user;
    Seen dialog;
    user.CancelColour(&dialog);
    PickNoteColour(note);
    ASSERT_TRUE(dialog.shown);
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00336699u);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 5);
    EXPECT_FALSE(FileExists(NoteFileOf(note)));
}

TEST_F(NoteCommands, ColourDialogOpensAtTheNoteColourAndAppliesTheChoice) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {}});
    HWND note = MakeNote({.x = 200, .y = 200, .colour = 0x00A0B0C0, .text = u"some text"});
    ScriptedUser user;
    Seen dialog;
    user.AnswerColour(0x00336699, &dialog);
    PickNoteColour(note);
    ASSERT_TRUE(dialog.shown);
    EXPECT_EQ(dialog.colour, 0x00A0B0C0u);
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00336699u);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 5);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .colour = "996633", .category = 5, .body = "some text"}));
}

TEST_F(NoteCommands, AClickOnTheSwatchOpensTheColourDialog) {
    HWND note = MakeNote({.x = 200, .y = 200});
    ScriptedUser user;
    Seen dialog;
    user.CancelColour(&dialog);
    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 15));
    EXPECT_TRUE(dialog.shown);
    EXPECT_EQ(dialog.colour, kDefaultNoteColour);
    EXPECT_EQ(NoteFromWindow(note)->colour, kDefaultNoteColour);
}

namespace {

constexpr UINT kFirstItem = 11;
constexpr UINT kSecondItem = 12;
constexpr UINT kSubmenuItem = 13;

HMENU SmallMenu(HMENU& submenu) {
    HMENU menu = CreatePopupMenu();
    submenu = CreatePopupMenu();
    AppendMenuW(submenu, MF_STRING, kSubmenuItem, L"three");
    AppendMenuW(menu, MF_STRING, kFirstItem, L"one");
    AppendMenuW(menu, MF_STRING, kSecondItem, L"two");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"more");
    return menu;
}

}  // namespace

TEST_F(NoteCommands, NoteMenuTakesTheNoteColourWithoutACheckColumnAndIsDestroyed) {
    const ColourRef colour = 0x00402010;
    HWND note = MakeNote({.x = 300, .y = 300, .colour = colour});
    HMENU submenu = nullptr;
    HMENU menu = SmallMenu(submenu);
    MenuLook menuLook, submenuLook;
    ScriptedUser user;
    user.WhenMenusOpen(1, {VK_ESCAPE}, [&] {
        menuLook = LookAt(menu);
        submenuLook = LookAt(submenu);
    });
    const UINT chosen = TrackNoteMenu(note, menu, 350, 330);

    EXPECT_EQ(user.StepsLeft(), 0u);
    EXPECT_EQ(chosen, 0u);  // dismissed
    EXPECT_EQ(menuLook.background, colour);
    EXPECT_TRUE(menuLook.noCheckColumn);
    EXPECT_EQ(submenuLook.background, colour);
    EXPECT_TRUE(submenuLook.noCheckColumn);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(submenu));
}

TEST_F(NoteCommands, NoteMenuReturnsTheChosenCommand) {
    HWND note = MakeNote({.x = 300, .y = 300});
    HMENU submenu = nullptr;
    HMENU menu = SmallMenu(submenu);
    MenuLook look;
    ScriptedUser user;
    user.WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_RETURN}, [&] { look = LookAt(menu); });
    const UINT chosen = TrackNoteMenu(note, menu, 350, 330);
    EXPECT_EQ(user.StepsLeft(), 0u);
    EXPECT_EQ(chosen, kSecondItem);
    EXPECT_EQ(look.background, kDefaultNoteColour);
}

// Pinning works on a docked note too: the flag and the z-order change at
// once, and undocking then applies the pin again.
TEST_F(NoteCommands, PinningADockedNoteChangesItsFlagAndZOrder) {
    HWND note = MakeNote({.x = 200, .y = 200, .text = u"some text"});
    TogglePin(note);
    DockNote(note, kDockRight);
    TogglePin(note);
    EXPECT_FALSE(NoteFromWindow(note)->pinned);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 200, .y = 200, .dock = 3, .lastDock = 3, .body = "some text"}));
    EXPECT_FALSE(IsTopmost(note));
    UndockNote(note);
    EXPECT_FALSE(IsTopmost(note));

    DockNote(note, kDockRight);
    EXPECT_TRUE(IsTopmost(note));  // a fresh strip is always on top
    TogglePin(note);
    EXPECT_TRUE(IsTopmost(note));
    UndockNote(note);
    EXPECT_TRUE(IsTopmost(note));  // pinned while docked: still on top when floating
}

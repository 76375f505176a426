// The find window driven by keys as a user drives it, from inside its own
// modal loop: typing narrows the list, the arrows move in it, Enter shows
// the note with the caret at the match, Escape leaves everything as it was;
// and a strip it shows floats for a moment, then docks again. Which notes a
// query finds is the core's rule, tested there case by case.
#include <functional>
#include <string>
#include <vector>

#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"
#include "notes/docking.h"
#include "notes/note_window_state.h"
#include "search/find_window.h"
#include "storage/category_storage.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/shared_fonts.h"

namespace {

using Step = std::function<void(HWND finder)>;

// Opens the window and takes the steps in it, one per tick of the scripted
// user; true when every step was taken and the window closed by itself
// afterwards. Out of steps with the window still open, it closes it, so
// that a failing test cannot hang.
bool RunFinder(std::vector<Step> steps) {
    ScriptedUser user;
    for (Step& step : steps) user.WhenEnabled(kFindClass, std::move(step));
    user.WhenEnabled(kFindClass, [](HWND finder) { PostMessageW(finder, WM_CLOSE, 0, 0); });
    OpenFindWindow(nullptr);
    const bool closedByTheSteps = user.StepsLeft() == 1;
    user.Forget();
    return closedByTheSteps;
}

// Keys go where the user's would: posted to the control with the focus,
// through the window's own loop.
void Type(HWND finder, const std::u16string& text) {
    for (char16_t c : text) PostMessageW(GetDlgItem(finder, kFindField), WM_CHAR, c, 0);
}

void Press(HWND finder, WPARAM key) {
    PostMessageW(GetDlgItem(finder, kFindField), WM_KEYDOWN, key, 0);
}

int ResultCount(HWND finder) {
    return static_cast<int>(SendMessageW(GetDlgItem(finder, kFindList), LB_GETCOUNT, 0, 0));
}

int SelectedResult(HWND finder) {
    return static_cast<int>(SendMessageW(GetDlgItem(finder, kFindList), LB_GETCURSEL, 0, 0));
}

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
    bool operator==(const Selection&) const = default;
};

Selection SelectionIn(HWND note) {
    Selection selection;
    SendMessageW(GetDlgItem(note, kNoteEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

void PrintTo(const Selection& s, std::ostream* out) {
    *out << s.start << ".." << s.end;
}

using FindWindowTest = DataFolderTest;

}  // namespace

TEST_F(FindWindowTest, KeysNarrowTheListMoveInItAndEnterShowsTheNoteWithTheMatchSelected) {
    EnsureTextFont();
    MakeNote({.id = 0x10, .x = 100, .text = u"Appeler Marc\r\nTéléphone 06 12 34"});
    HWND meeting = MakeNote({.id = 0x11, .x = 200, .text = u"Mon RÉSUMÉ de réunion"});
    MakeNote({.id = 0x12, .x = 300, .text = u"Résumé du livre\r\nà lire"});
    std::vector<int> counts;
    std::vector<int> selected;

    EXPECT_TRUE(RunFinder({
        [&](HWND finder) {
            counts.push_back(ResultCount(finder));  // nothing typed: every note
            Type(finder, u"resume");
        },
        [&](HWND finder) {
            SaveScreenshotIfAsked(u"find-fr", finder);
            counts.push_back(ResultCount(finder));  // the two résumés, the newer first
            selected.push_back(SelectedResult(finder));
            Press(finder, VK_DOWN);
        },
        [&](HWND finder) {
            selected.push_back(SelectedResult(finder));
            Press(finder, VK_DOWN);  // already on the last
        },
        [&](HWND finder) {
            selected.push_back(SelectedResult(finder));
            Press(finder, VK_RETURN);
        },
    }));

    EXPECT_EQ(counts, (std::vector<int>{3, 2}));
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 1}));
    EXPECT_TRUE(WindowsOfClass(kFindClass).empty());
    EXPECT_EQ(GetForegroundWindow(), meeting);
    EXPECT_EQ(GetFocus(), GetDlgItem(meeting, kNoteEdit));
    EXPECT_EQ(SelectionIn(meeting), (Selection{4, 10}));  // "RÉSUMÉ"
}

TEST_F(FindWindowTest, EscapeAndTheCloseCrossLeaveEveryNoteAsItWas) {
    HWND note = MakeNote({.id = 0x10, .text = u"Appeler Marc"});
    SendMessageW(GetDlgItem(note, kNoteEdit), EM_SETSEL, 2, 3);
    bool nothingFoundShown = false;
    bool listShown = true;

    EXPECT_TRUE(RunFinder({
        [](HWND finder) { Type(finder, u"zzz"); },
        [&](HWND finder) {
            nothingFoundShown = IsWindowVisible(GetDlgItem(finder, kFindList + 1)) != FALSE;
            listShown = IsWindowVisible(GetDlgItem(finder, kFindList)) != FALSE;
            Press(finder, VK_RETURN);  // nothing to open: the window stays
        },
        [](HWND finder) { Press(finder, VK_ESCAPE); },
    }));
    EXPECT_TRUE(nothingFoundShown);
    EXPECT_FALSE(listShown);
    EXPECT_EQ(SelectionIn(note), (Selection{2, 3}));
    EXPECT_FALSE(FileExists(NoteFileOf(note)));
}

TEST_F(FindWindowTest, AStripShownByADoubleClickFloatsUntilItLosesTheFocusAndItsFileStaysDocked) {
    constexpr Rect kFloating{300, 200, 540, 400};
    HWND strip = MakeNote({.id = 0x20, .x = 300, .y = 200, .width = 240, .height = 200, .text = u"Code du portail 4512"});
    HWND other = MakeNote({.id = 0x21, .x = 600, .text = u"autre"});
    DockNote(strip, kDockLeft);
    const Rect stripRect = WindowRect(strip);
    const std::string docked = SavedFile(strip);

    EXPECT_TRUE(RunFinder({
        [](HWND finder) { Type(finder, u"portail"); },
        [](HWND finder) {
            PostMessageW(GetDlgItem(finder, kFindList), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
        },
    }));

    EXPECT_TRUE(IsUndockedForAMoment(strip));
    EXPECT_EQ(WindowRect(strip), kFloating);
    EXPECT_TRUE(NoteEditShown(strip));
    EXPECT_EQ(SelectionIn(strip), (Selection{8, 15}));
    EXPECT_EQ(SavedFile(strip), docked);

    SetForegroundWindow(other);
    EXPECT_TRUE(PumpUntil([&] { return !IsUndockedForAMoment(strip); }));
    EXPECT_EQ(WindowRect(strip), stripRect);
    EXPECT_FALSE(NoteEditShown(strip));
    EXPECT_EQ(NoteFromWindow(strip)->dock, kDockLeft);
    EXPECT_EQ(SavedFile(strip), docked);
}

TEST_F(FindWindowTest, ResultsShowTheirCategoryAndTheWindowSpeaksEnglish) {
    EnsureTextFont();
    Categories().categories.push_back(Category{7, u"Travail", 0x00C8A0FF, {}});
    MakeNote({.id = 0x30, .colour = 0x00C8A0FF, .category = 7, .text = u"Réunion de rentrée\r\nsalle 204"});
    MakeNote({.id = 0x31, .text = u"Rendez-vous dentiste"});
    MakeNote({.id = 0x32, .type = kNoteScheduled,
              .entries = {NoteEntry{.id = 1, .text = u"Relire le rapport"}}});
    FillBuiltInEnglish(ActiveTranslationTable());
    std::vector<int> counts;
    std::u16string title;

    EXPECT_TRUE(RunFinder({
        [&](HWND finder) {
            title = WindowTextOf(finder);
            Type(finder, u"re");
        },
        [&](HWND finder) {
            SaveScreenshotIfAsked(u"find-en", finder);
            counts.push_back(ResultCount(finder));
            Type(finder, u" travail");  // the category's name counts as a word of the note
        },
        [&](HWND finder) {
            counts.push_back(ResultCount(finder));
            Press(finder, VK_ESCAPE);
        },
    }));
    EXPECT_EQ(title, u"Find a note");
    EXPECT_EQ(counts, (std::vector<int>{3, 1}));
}

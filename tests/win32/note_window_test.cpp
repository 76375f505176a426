// The note window itself: hit test, creation, saving, deleting.
#include <iterator>

#include "notes/docking.h"
#include "notes/note_creation.h"
#include "notes/note_removal.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"

namespace {

using NoteWindow = DataFolderTest;

}  // namespace

// Where the header's boxes lie is the core's layout, tested there point by
// point; the window answers the system with it.
TEST_F(NoteWindow, HitTestMovesResizesAndClicksWhereTheLayoutSays) {
    HWND note = MakeNote({.x = 100, .y = 100});
    struct Case {
        int x, y;
        LRESULT expected;
    };
    const Case cases[] = {
        {0, 0, HTTOPLEFT}, {239, 199, HTBOTTOMRIGHT}, {0, 100, HTLEFT}, {142, 15, HTCAPTION}, {120, 100, HTCLIENT},
    };
    for (const Case& c : cases) {
        POINT point{c.x, c.y};
        ClientToScreen(note, &point);
        EXPECT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), c.expected)
            << "at " << c.x << "," << c.y;
    }
}

TEST_F(NoteWindow, NewNotesCascadeAndAreNotWrittenUntilTheyHoldSomething) {
    EXPECT_EQ(WindowRect(CreateNewNote(nullptr)), (Rect{120, 120, 360, 320}));
    EXPECT_EQ(WindowRect(CreateNewNote(nullptr)), (Rect{148, 148, 388, 348}));
    EXPECT_TRUE(FilesIn(DataPath(u"notes")).empty());
}

TEST_F(NoteWindow, ANewNoteNeverLandsExactlyOnANoteAlreadyThere) {
    // As after a restart: notes stored at seven of the eight places, one of
    // them docked (where it floats when undocked is what counts).
    const Point taken[] = {{120, 120}, {148, 148}, {176, 176}, {232, 232}, {260, 260}, {288, 288}};
    std::uint64_t id = 0xCA5;
    for (const Point& place : taken) MakeNote({.id = id++, .x = place.x, .y = place.y});
    HWND docked = MakeNote({.id = id++, .x = 700, .y = 500});
    NoteFromWindow(docked)->dock = kDockLeft;
    NoteFromWindow(docked)->undockedRect = Rect{316, 316, 556, 516};

    EXPECT_EQ(WindowRect(CreateNewNote(nullptr)), (Rect{204, 204, 444, 404}));
    // Every place of the first round taken: the next round, further right.
    EXPECT_EQ(WindowRect(CreateNewNote(nullptr)), (Rect{456, 232, 696, 432}));
}

TEST_F(NoteWindow, PlusSignOfAPinnedNotePlacesTheNewNoteBelowIt) {
    HWND pinned = MakeNote({.id = 7, .x = 300, .y = 200, .pinned = true});
    SendMessageW(pinned, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 15));
    const auto notes = WindowsOfClass(kNoteClass);
    ASSERT_EQ(notes.size(), 2u);
    HWND made = notes[0] == pinned ? notes[1] : notes[0];
    EXPECT_EQ(WindowRect(made), (Rect{300, 408, 540, 608}));
    EXPECT_FALSE(NoteFromWindow(made)->pinned);
}

TEST_F(NoteWindow, TextIsSavedWhenTheEditLosesTheFocus) {
    HWND note = MakeNote({.x = 150, .y = 150});
    HWND other = MakeNote({.id = 0x999, .x = 500, .y = 150});
    SetForegroundWindow(note);
    SetFocus(NoteEditOf(note));
    SetWindowTextW(NoteEditOf(note), L"typed words");
    EXPECT_FALSE(FileExists(NoteFileOf(note)));  // typing alone does not save

    SetFocus(NoteEditOf(other));
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 150, .y = 150, .body = "typed words"}));
}

TEST_F(NoteWindow, EndOfAMoveLoopSavesTheNewPlace) {
    HWND note = MakeNote({.x = 150, .y = 150, .text = u"kept"});
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    RECT moving{400, 300, 640, 500};
    SendMessageW(note, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
    SetWindowPos(note, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 400, .y = 300, .body = "kept"}));
}

TEST_F(NoteWindow, BlankNoteLeavesNoFileButEntriesOrDockingKeepOne) {
    HWND note = MakeNote({.x = 150, .y = 150, .text = u"text"});
    SaveNote(note);
    ASSERT_EQ(SavedFile(note), NoteFileText({.x = 150, .y = 150, .body = "text"}));

    SetWindowTextW(NoteEditOf(note), L" \r\n\t ");
    EXPECT_TRUE(IsNoteBlank(note));
    SaveNote(note);
    EXPECT_FALSE(FileExists(NoteFileOf(note)));

    // The blank text is kept as it is.
    NoteFromWindow(note)->entries.push_back(NoteEntry{1, 202501011200, 0, 0, 0, u"call"});
    SaveNote(note);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 150, .y = 150, .entries = {"1|202501011200|0|0|0|call"},
                                         .body = " \r\n\t "}));

    NoteFromWindow(note)->entries.clear();
    DockNote(note, kDockLeft);
    EXPECT_EQ(SavedFile(note), NoteFileText({.x = 150, .y = 150, .dock = 1, .lastDock = 1, .body = " \r\n\t "}));
}

// Only a note that holds nothing, no text and no entry, goes without a question.
TEST_F(NoteWindow, DeletingABlankNoteAsksNothingUnlessItHasAnEntry) {
    for (bool withEntry : {false, true}) {
        SCOPED_TRACE(withEntry ? "with an entry" : "blank");
        HWND note = MakeNote({.x = 150, .y = 150, .text = u"x"});
        SaveNote(note);
        SetWindowTextW(NoteEditOf(note), L"   ");
        if (withEntry) NoteFromWindow(note)->entries.push_back(NoteEntry{1, 0, 0, 0, 0, u"entry"});
        const std::u16string file = NoteFileOf(note);
        ScriptedUser user;
        Seen question;
        user.AnswerMessageBox(IDNO, &question);
        SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240 - 12, 15));  // the delete cross
        EXPECT_EQ(question.shown, withEntry);
        EXPECT_EQ(IsWindow(note) != FALSE, withEntry);
        EXPECT_EQ(FileExists(file), withEntry);
        user.Forget();
        DestroyWindow(note);
    }
}

TEST_F(NoteWindow, DeletingANoteWithTextAsksWithNoAsTheDefault) {
    HWND note = MakeNote({.x = 150, .y = 150, .text = u"keep me"});
    SaveNote(note);
    const std::u16string file = NoteFileOf(note);
    ScriptedUser user;
    Seen question;
    user.AnswerMessageBox(IDNO, &question);
    DeleteNote(note);
    ASSERT_TRUE(question.shown);
    EXPECT_EQ(question.title, u"Quillboard");
    EXPECT_EQ(question.text, u"Supprimer cette note\u00A0?");
    EXPECT_EQ(question.defaultButton, IDNO);
    EXPECT_TRUE(IsWindow(note));
    EXPECT_EQ(ReadRawFile(file), NoteFileText({.x = 150, .y = 150, .body = "keep me"}));

    user.AnswerMessageBox(IDYES);
    DeleteNote(note);
    EXPECT_EQ(user.StepsLeft(), 0u);
    EXPECT_FALSE(IsWindow(note));
    EXPECT_FALSE(FileExists(file));
}

TEST_F(NoteWindow, DiscardMessageRemovesOnlyABlankFloatingNoteWithoutEntries) {
    HWND blank = MakeNote({.id = 1, .x = 150, .y = 150, .text = u"x"});
    SaveNote(blank);
    SetWindowTextW(NoteEditOf(blank), L"");
    HWND written = MakeNote({.id = 2, .x = 450, .y = 150, .text = u"words"});
    HWND withEntry = MakeNote({.id = 3, .x = 750, .y = 150});
    NoteFromWindow(withEntry)->entries.push_back(NoteEntry{1, 0, 0, 0, 0, u"entry"});
    HWND docked = MakeNote({.id = 4, .x = 150, .y = 450});
    DockNote(docked, kDockTop);
    for (HWND note : {written, withEntry, docked, blank}) PostMessageW(note, WM_NOTE_DISCARD_IF_BLANK, 0, 0);
    // The blank note's message was posted last: once it is handled, all are.
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(blank); }));
    EXPECT_FALSE(FileExists(Data().NotePath(1)));
    EXPECT_TRUE(IsWindow(written));
    EXPECT_TRUE(IsWindow(withEntry));
    EXPECT_TRUE(IsWindow(docked));
}

TEST_F(NoteWindow, ADeletedNoteNeverWritesItsFileAgain) {
    HWND note = MakeNote({.x = 150, .y = 150, .text = u"text"});
    NoteFromWindow(note)->deleted = true;
    SaveNote(note);
    EXPECT_FALSE(FileExists(NoteFileOf(note)));
}

TEST_F(NoteWindow, CannotBeResizedBelowTheMinimum) {
    HWND note = MakeNote({.x = 150, .y = 150});
    MINMAXINFO info{};
    SendMessageW(note, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 180);
    EXPECT_EQ(info.ptMinTrackSize.y, 90);
    EXPECT_EQ(WindowRect(NoteEditOf(note)), (Rect{154, 180, 386, 346}));
}

TEST_F(NoteWindow, FindOrCreateNoteFindsTheMatchingNoteOrMakesOneQuietly) {
    HWND scheduled = MakeNote({.id = 5, .x = 500, .y = 300, .type = kNoteScheduled});
    EXPECT_EQ(FindOrCreateNote(0, 0, kNoteScheduled), scheduled);

    HWND foreground = GetForegroundWindow();
    HWND regular = FindOrCreateNote(0, 0, kNoteRegular);
    ASSERT_NE(regular, nullptr);
    EXPECT_NE(regular, scheduled);
    EXPECT_TRUE(IsWindowVisible(regular));
    EXPECT_EQ(GetForegroundWindow(), foreground);  // shown without activation
    const Note* made = NoteFromWindow(regular);
    EXPECT_EQ(made->type, kNoteRegular);
    EXPECT_EQ(made->colour, kDefaultNoteColour);
    EXPECT_EQ(FindOrCreateNote(0, 0, kNoteRegular), regular);
}

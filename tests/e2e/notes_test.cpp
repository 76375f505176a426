// Stored notes against the real program: what comes back at start, and
// what quitting writes.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/window_checks.h"

namespace {

HWND NoteAt(const QuillboardProcess& program, int left, int top) {
    for (HWND note : program.Windows(kNoteClass)) {
        if (WindowRect(note).left == left && WindowRect(note).top == top) return note;
    }
    return nullptr;
}

}  // namespace

TEST(Notes, StoredNotesComeBackWhereTheyWereWithTheirColourAndText) {
    DataFolder data;
    data.WriteNote(1, NoteFileText({.x = 1200, .y = 600, .width = 260, .height = 210, .colour = "FF0000",
                                    .body = "red note"}));
    data.WriteNote(2, NoteFileText({.x = 1200, .y = 100, .width = 100, .height = 50, .colour = "102040",
                                    .body = "small\r\nand dark"}));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));

    HWND red = NoteAt(program, 1200, 600);
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(WindowRect(red), (Rect{1200, 600, 1460, 810}));
    EXPECT_EQ(NoteText(red), u"red note");

    HWND dark = NoteAt(program, 1200, 100);
    ASSERT_NE(dark, nullptr);
    EXPECT_EQ(WindowRect(dark), (Rect{1200, 100, 1380, 190}));  // raised to the minimum size
    EXPECT_EQ(NoteText(dark), u"small\r\nand dark");

    // The body is painted in the note's colour (COLORREF 0x00BBGGRR).
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(1200 + 130, 600 + 200) == 0x000000FF; }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(1200 + 170, 100 + 80) == 0x00402010; }));
    program.QuitThroughTray();
}

// Quitting writes every note in the program's own form, and deletes the
// file of a note with nothing in it.
TEST(Notes, QuitRewritesEveryNoteInTheFileFormatAndDeletesBlankOnes) {
    DataFolder data;
    const std::string canonical = NoteFileText({.x = 1100, .y = 300, .colour = "AFF0CD", .pinned = 1,
                                                .entries = {"1|202501011200|0|1|0|a|b"},
                                                .body = "line one\r\nline two"});
    data.WriteNote(0xA1, canonical);
    // Keys out of order, a legacy colour index and an older entry form (due
    // long after the test, so that no reminder marks it announced).
    data.WriteNote(0xA2, "TYPE=1\r\nCOLOR=2\r\nENTRY|4|209901021200|0|0|x\r\nY=400\r\nX=1100\r\n---\r\nbody");
    data.WriteNote(0xA3, NoteFileText({.x = 1100, .y = 600, .body = " \r\n "}));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 3));
    program.QuitThroughTray();

    EXPECT_EQ(data.ReadNote(0xA1), canonical);
    EXPECT_EQ(data.ReadNote(0xA2),
              "X=1100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFD2E4\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
              "LASTDOCK=0\r\nTYPE=1\r\nENTRY|4|209901021200|0|0|0|x\r\n---\r\nbody");
    EXPECT_FALSE(FileExists(data.NotePath(0xA3)));
}

TEST(Notes, ANoteClosedFromOutsideKeepsItsLastSavedState) {
    DataFolder data;
    const std::string stored = NoteFileText({.x = 1100, .y = 300, .body = "saved text"});
    data.WriteNote(1, stored);
    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    ASSERT_NE(note, nullptr);

    SendMessageW(GetDlgItem(note, kNoteEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited, never saved"));
    PostMessageW(note, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 0));
    EXPECT_EQ(data.ReadNote(1), stored);

    program.QuitThroughTray();
    EXPECT_EQ(data.ReadNote(1), stored);
}

TEST(Notes, TextTypedIntoANoteIsSavedWhenTheEndOfTheSessionIsAnnounced) {
    DataFolder data;
    data.WriteNote(1, NoteFileText({.x = 1100, .y = 300, .body = "before"}));
    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(note, nullptr);
    SendMessageW(GetDlgItem(note, kNoteEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed before log-off"));

    EXPECT_TRUE(SendMessageW(tray, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(data.ReadNote(1), NoteFileText({.x = 1100, .y = 300, .body = "typed before log-off"}));
    program.QuitThroughTray();
}

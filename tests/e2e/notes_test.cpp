// Stored notes against the real program: what comes back at start, and
// what quitting writes.
#include <gtest/gtest.h>

#include "e2e_steps.h"
#include "quillboard_process.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr int kNoteEditId = 200;

std::string NoteText(int x, int y, int w, int h, const std::string& colour, const std::string& body,
                     const std::string& more = "CAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n") {
    return "X=" + std::to_string(x) + "\r\nY=" + std::to_string(y) + "\r\nW=" + std::to_string(w) +
           "\r\nH=" + std::to_string(h) + "\r\nCOLOR=#" + colour + "\r\n" + more + "---\r\n" + body;
}

std::u16string EditTextOf(HWND note) {
    wchar_t text[1024] = {};
    SendMessageW(GetDlgItem(note, kNoteEditId), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

HWND NoteAt(const QuillboardProcess& program, int left, int top) {
    for (HWND note : program.Windows(kNoteClass)) {
        RECT r{};
        GetWindowRect(note, &r);
        if (r.left == left && r.top == top) return note;
    }
    return nullptr;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace

TEST(Notes, StoredNotesComeBackWhereTheyWereWithTheirColourAndText) {
    PreparedAppData data;
    data.WriteNote(u"0000000000000001", NoteText(1200, 600, 260, 210, "FF0000", "red note"));
    data.WriteNote(u"0000000000000002", NoteText(1200, 100, 100, 50, "102040", "small\r\nand dark"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));

    HWND red = NoteAt(program, 1200, 600);
    ASSERT_NE(red, nullptr);
    RECT r{};
    GetWindowRect(red, &r);
    EXPECT_EQ(r.right - r.left, 260);
    EXPECT_EQ(r.bottom - r.top, 210);
    EXPECT_EQ(EditTextOf(red), u"red note");

    HWND dark = NoteAt(program, 1200, 100);
    ASSERT_NE(dark, nullptr);
    GetWindowRect(dark, &r);
    EXPECT_EQ(r.right - r.left, 180);  // raised to the minimum size
    EXPECT_EQ(r.bottom - r.top, 90);
    EXPECT_EQ(EditTextOf(dark), u"small\r\nand dark");

    // The body is painted in the note's colour (COLORREF 0x00BBGGRR).
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(1200 + 130, 600 + 200) == 0x000000FF; }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(1200 + 170, 100 + 80) == 0x00402010; }));
    QuitThroughTray(program);
}

TEST(Notes, QuitRewritesEveryNoteInTheFileFormat) {
    PreparedAppData data;
    const std::string canonical =
        NoteText(1100, 300, 240, 200, "AFF0CD", "line one\r\nline two",
                 "CAT=0\r\nSUBCAT=0\r\nPIN=1\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\nENTRY|1|202501011200|0|1|0|a|b\r\n");
    data.WriteNote(u"00000000000000A1", canonical);
    // Keys out of order, a legacy colour index and an older entry form (due
    // long after the test, so that no reminder marks it announced).
    data.WriteNote(u"00000000000000A2",
                   "TYPE=1\r\nCOLOR=2\r\nENTRY|4|209901021200|0|0|x\r\nY=400\r\nX=1100\r\n---\r\nbody");
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));
    QuitThroughTray(program);

    EXPECT_EQ(ReadRawFile(data.NotePath(u"00000000000000A1")), canonical);
    EXPECT_EQ(ReadRawFile(data.NotePath(u"00000000000000A2")),
              NoteText(1100, 400, 240, 200, "FFD2E4", "body",
                       "CAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=1\r\nENTRY|4|209901021200|0|0|0|x\r\n"));
}

TEST(Notes, QuitDeletesTheFileOfABlankNote) {
    PreparedAppData data;
    data.WriteNote(u"0000000000000001", NoteText(1100, 300, 240, 200, "FFF6A0", " \r\n "));
    data.WriteNote(u"0000000000000002", NoteText(1100, 600, 240, 200, "FFF6A0", "kept"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));
    QuitThroughTray(program);
    EXPECT_FALSE(FileExists(data.NotePath(u"0000000000000001")));
    EXPECT_TRUE(FileExists(data.NotePath(u"0000000000000002")));
}

TEST(Notes, ANoteClosedFromOutsideKeepsItsLastSavedState) {
    PreparedAppData data;
    const std::string stored = NoteText(1100, 300, 240, 200, "FFF6A0", "saved text");
    data.WriteNote(u"0000000000000001", stored);
    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    ASSERT_NE(note, nullptr);

    SendMessageW(GetDlgItem(note, kNoteEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited, never saved"));
    PostMessageW(note, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 0));
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000001")), stored);

    QuitThroughTray(program);
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000001")), stored);
}

TEST(Notes, TextTypedIntoANoteIsSavedWhenTheEndOfTheSessionIsAnnounced) {
    PreparedAppData data;
    data.WriteNote(u"0000000000000001", NoteText(1100, 300, 240, 200, "FFF6A0", "before"));
    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(note, nullptr);
    SendMessageW(GetDlgItem(note, kNoteEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed before log-off"));

    EXPECT_TRUE(SendMessageW(tray, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000001")),
              NoteText(1100, 300, 240, 200, "FFF6A0", "typed before log-off"));
    QuitThroughTray(program);
}

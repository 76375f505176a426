// The note window itself: hit test, drawing, creation, saving, deleting.
#include "notes/note_creation.h"
#include "notes/note_removal.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/note_files.h"
#include "test_support.h"
#include "ui/colour_rules.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

class NoteWindow : public DataFolderTest {
protected:
    // A shown note window at a given place.
    HWND MakeNote(int x, int y, int width, int height, const char16_t* text = u"", ColourRef colour = kDefaultNoteColour,
                  std::uint64_t id = 0x1234) {
        NoteCreateParams params;
        params.id = id;
        params.x = x;
        params.y = y;
        params.width = width;
        params.height = height;
        params.colour = colour;
        params.body = text;
        return ShowNewNote(params);
    }

    std::u16string FileOf(HWND note) { return NoteFileOf(note); }
};

LRESULT HitAt(HWND note, int clientX, int clientY) {
    POINT point{clientX, clientY};
    ClientToScreen(note, &point);
    return SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

COLORREF PixelAt(HWND window, int x, int y) {
    WindowDc dc(window);
    return GetPixel(dc.Get(), x, y);
}

}  // namespace

TEST_F(NoteWindow, HitTestMovesResizesAndClicksWhereTheHeaderSays) {
    HWND note = MakeNote(100, 100, 240, 200);
    const int w = 240, h = 200;
    struct Case {
        int x, y;
        LRESULT expected;
    };
    const Case cases[] = {
        {0, 0, HTTOPLEFT},      {w - 1, 0, HTTOPRIGHT},   {0, h - 1, HTBOTTOMLEFT}, {w - 1, h - 1, HTBOTTOMRIGHT},
        {0, 100, HTLEFT},       {w - 1, 100, HTRIGHT},    {120, h - 1, HTBOTTOM},
        {60, 2, HTCLIENT},      // the title box comes before the top edge
        {w - 98, 2, HTTOP},     // the gap right of the title: top edge first...
        {w - 98, 15, HTCAPTION},  // ...then a direct move
        {45, 15, HTCAPTION},    // between the swatch and the title
        {13, 15, HTCLIENT},     // plus sign
        {w - 12, 15, HTCLIENT}, // delete cross
        {120, 100, HTCLIENT},   // body
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitAt(note, c.x, c.y), c.expected) << "at " << c.x << "," << c.y;
    }
}

TEST_F(NoteWindow, DrawsTheHeaderInTheDarkerShadeAndTheBodyInTheNoteColour) {
    HWND note = MakeNote(200, 200, 240, 200, u"", 0x00402010);
    ASSERT_TRUE(PumpUntil([&] { return PixelAt(note, 70, 150) == 0x00402010; }));
    EXPECT_EQ(PixelAt(note, 160, 2), HeaderColour(0x00402010));
    // The swatch shows the note colour inside its outline.
    EXPECT_EQ(PixelAt(note, 35, 15), 0x00402010u);
}

TEST_F(NoteWindow, NewNotesCascadeThroughEightPlaces) {
    std::vector<Point> places;
    for (int i = 0; i < 9; ++i) {
        HWND note = CreateNewNote(nullptr);
        ASSERT_NE(note, nullptr);
        const Rect r = WindowRectOf(note);
        EXPECT_EQ(r.Width(), 240);
        EXPECT_EQ(r.Height(), 200);
        places.push_back(Point{r.left, r.top});
    }
    for (size_t i = 1; i < 8; ++i) {
        const Point& before = places[i - 1];
        const Point& now = places[i];
        EXPECT_EQ(now.x, now.y);
        EXPECT_TRUE(now.x == before.x + 28 || (before.x == 316 && now.x == 120)) << now.x;
    }
    EXPECT_EQ(places[8], places[0]);
    // Nothing is written for a new note until it has something to keep.
    EXPECT_TRUE(FilesIn(DataPath(u"notes")).empty());
}

TEST_F(NoteWindow, PlusSignOfAPinnedNotePlacesTheNewNoteBelowIt) {
    NoteCreateParams params;
    params.id = 7;
    params.x = 300;
    params.y = 200;
    params.width = 240;
    params.height = 200;
    params.pinned = true;
    HWND pinned = CreateNoteWindow(params);
    ShowWindow(pinned, SW_SHOWNA);

    SendMessageW(pinned, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 15));
    const auto notes = WindowsOfClass(kNoteWindowClass);
    ASSERT_EQ(notes.size(), 2u);
    HWND made = notes[0] == pinned ? notes[1] : notes[0];
    EXPECT_EQ(WindowRectOf(made), (Rect{300, 408, 540, 608}));
    EXPECT_FALSE(NoteFromWindow(made)->pinned);
}

TEST_F(NoteWindow, TextIsSavedWhenTheEditLosesTheFocus) {
    HWND note = MakeNote(150, 150, 240, 200);
    HWND other = MakeNote(500, 150, 240, 200, u"", kDefaultNoteColour, 0x999);
    SetForegroundWindow(note);
    SetFocus(NoteEditOf(note));
    SetWindowTextW(NoteEditOf(note), L"typed words");
    EXPECT_FALSE(FileExists(FileOf(note)));  // typing alone does not save

    SetFocus(NoteEditOf(other));
    const std::string saved = ReadRawFile(FileOf(note));
    EXPECT_EQ(saved,
              "X=150\r\nY=150\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
              "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntyped words");
}

TEST_F(NoteWindow, EndOfAMoveLoopSavesTheNewPlace) {
    HWND note = MakeNote(150, 150, 240, 200, u"kept");
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    RECT moving{400, 300, 640, 500};
    SendMessageW(note, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
    SetWindowPos(note, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(ReadRawFile(FileOf(note)).substr(0, 16), "X=400\r\nY=300\r\nW=");
}

TEST_F(NoteWindow, BlankNoteLeavesNoFileButEntriesOrDockingKeepOne) {
    HWND note = MakeNote(150, 150, 240, 200, u"text");
    SaveNote(note);
    ASSERT_TRUE(FileExists(FileOf(note)));

    SetWindowTextW(NoteEditOf(note), L" \r\n\t ");
    EXPECT_TRUE(IsNoteBlank(note));
    SaveNote(note);
    EXPECT_FALSE(FileExists(FileOf(note)));

    NoteFromWindow(note)->entries.push_back(NoteEntry{1, 202501011200, 0, 0, 0, u"call"});
    SaveNote(note);
    const std::string withEntry = ReadRawFile(FileOf(note));
    EXPECT_NE(withEntry.find("ENTRY|1|202501011200|0|0|0|call\r\n---\r\n"), std::string::npos);
    // The blank text is kept as it is.
    EXPECT_EQ(withEntry.substr(withEntry.size() - 10), "---\r\n \r\n\t ");
}

TEST_F(NoteWindow, DeletingABlankNoteAsksNothing) {
    HWND note = MakeNote(150, 150, 240, 200, u"x");
    SaveNote(note);
    SetWindowTextW(NoteEditOf(note), L"   ");
    const std::u16string file = FileOf(note);
    DialogAnswerer answerer(IDYES);
    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240 - 12, 15));
    EXPECT_FALSE(answerer.Answered());
    EXPECT_FALSE(IsWindow(note));
    EXPECT_FALSE(FileExists(file));
}

TEST_F(NoteWindow, DeletingANoteWithTextAsksWithNoAsTheDefault) {
    HWND note = MakeNote(150, 150, 240, 200, u"keep me");
    SaveNote(note);
    const std::u16string file = FileOf(note);
    const std::string before = ReadRawFile(file);
    {
        DialogAnswerer answerer(IDNO);
        DeleteNote(note);
        ASSERT_TRUE(answerer.Answered());
        EXPECT_EQ(answerer.Caption(), u"Quillboard");
        EXPECT_EQ(answerer.Message(), u"Supprimer cette note ?");
        EXPECT_EQ(answerer.DefaultButton(), IDNO);
    }
    EXPECT_TRUE(IsWindow(note));
    EXPECT_EQ(ReadRawFile(file), before);
    {
        DialogAnswerer answerer(IDYES);
        DeleteNote(note);
        ASSERT_TRUE(answerer.Answered());
    }
    EXPECT_FALSE(IsWindow(note));
    EXPECT_FALSE(FileExists(file));
}

TEST_F(NoteWindow, ABlankNoteWithAnEntryIsOnlyDeletedAfterTheQuestion) {
    HWND note = MakeNote(150, 150, 240, 200);
    NoteFromWindow(note)->entries.push_back(NoteEntry{1, 0, 0, 0, 0, u"entry"});
    DialogAnswerer answerer(IDNO);
    DeleteNote(note);
    EXPECT_TRUE(answerer.Answered());
    EXPECT_TRUE(IsWindow(note));
}

TEST_F(NoteWindow, DiscardMessageRemovesOnlyABlankFloatingNoteWithoutEntries) {
    HWND blank = MakeNote(150, 150, 240, 200, u"x", kDefaultNoteColour, 1);
    SaveNote(blank);
    SetWindowTextW(NoteEditOf(blank), L"");
    HWND written = MakeNote(450, 150, 240, 200, u"words", kDefaultNoteColour, 2);
    PostMessageW(blank, WM_NOTE_DISCARD_IF_BLANK, 0, 0);
    PostMessageW(written, WM_NOTE_DISCARD_IF_BLANK, 0, 0);
    PumpUntil([&] { return !IsWindow(blank); });
    EXPECT_FALSE(IsWindow(blank));
    EXPECT_FALSE(FileExists(NoteFilePath(1)));
    EXPECT_TRUE(IsWindow(written));
}

TEST_F(NoteWindow, ADeletedNoteNeverWritesItsFileAgain) {
    HWND note = MakeNote(150, 150, 240, 200, u"text");
    NoteFromWindow(note)->deleted = true;
    SaveNote(note);
    EXPECT_FALSE(FileExists(FileOf(note)));
}

TEST_F(NoteWindow, CannotBeResizedBelowTheMinimum) {
    HWND note = MakeNote(150, 150, 240, 200);
    MINMAXINFO info{};
    SendMessageW(note, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 180);
    EXPECT_EQ(info.ptMinTrackSize.y, 90);
    RECT edit{};
    GetWindowRect(NoteEditOf(note), &edit);
    EXPECT_EQ(edit.left - 150, 4);
    EXPECT_EQ(edit.top - 150, 30);
    EXPECT_EQ(edit.right - edit.left, 232);
    EXPECT_EQ(edit.bottom - edit.top, 166);
}

TEST_F(NoteWindow, FindOrCreateNoteFindsTheMatchingNoteOrMakesOneQuietly) {
    NoteCreateParams params;
    params.id = 5;
    params.x = 500;
    params.y = 300;
    params.width = 240;
    params.height = 200;
    params.categoryId = 0;
    params.type = kNoteScheduled;
    HWND scheduled = CreateNoteWindow(params);
    ShowWindow(scheduled, SW_SHOWNA);

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

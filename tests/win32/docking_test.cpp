// Docking real note windows: the header triangles, the strip the core's
// geometry gives, what is saved, undocking, the drop near an edge, and the
// passes over all notes. The rules themselves (which edge, where the strip
// goes, how a lost rectangle is repaired) are the core's and are tested
// there case by case.
#include <iterator>
#include <string>

#include "notes/docking.h"
#include "notes/note_passes.h"
#include "notes/note_window_state.h"
#include "support/note_file_text.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"
#include "win/wide.h"

namespace {

constexpr Rect kFloating{300, 200, 540, 400};

// A shown note with some text, so that every save writes a file.
HWND MakeNoteAt(const Rect& r, TestNote note = {}) {
    note.x = r.left;
    note.y = r.top;
    note.width = r.Width();
    note.height = r.Height();
    note.text = u"words";
    return MakeNote(note);
}

// The file of such a note at that floating rectangle.
std::string SavedAt(const Rect& r, int pinned, int dock, int lastDock, int type = 0,
                    const std::string& body = "words") {
    return NoteFileText({.x = r.left, .y = r.top, .width = r.Width(), .height = r.Height(), .pinned = pinned,
                         .dock = dock, .lastDock = lastDock, .type = type, .body = body});
}

void ClickClient(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Deletes the note's file, so that a later save shows as a new file.
void ForgetFile(HWND note) {
    ASSERT_TRUE(DeleteFileW(Wide(NoteFileOf(note))));
}

// One system move loop as the note sees it: enter, the window moved to
// (left, top) with WM_MOVING on the way, exit.
void MoveLoopTo(HWND note, int left, int top) {
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    const Rect r = WindowRect(note);
    RECT moving{left, top, left + r.Width(), top + r.Height()};
    SetWindowPos(note, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
}

using Docking = DataFolderTest;

}  // namespace

TEST_F(Docking, EachTriangleDocksTheNoteAsAStripAlongItsEdgeAndOnlyANewEdgeMovesIt) {
    const Rect work = WorkArea();
    struct Case {
        int edge;
        Rect strip;
    };
    const Case cases[] = {
        {kDockLeft, {work.left, 200, work.left + 6, 400}},
        {kDockTop, {300, work.top, 540, work.top + 6}},
        {kDockRight, {work.right - 6, 200, work.right, 400}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.edge);
        HWND note = MakeNoteAt(kFloating);
        ASSERT_TRUE(NoteEditShown(note));
        ASSERT_FALSE(IsTopmost(note));

        // The three dock cells of a note 240 pixels wide start at 146, 14 apart.
        ClickClient(note, 146 + 14 * (c.edge - 1) + 7, 15);
        EXPECT_EQ(WindowRect(note), c.strip);
        EXPECT_TRUE(IsTopmost(note));
        EXPECT_FALSE(NoteEditShown(note));
        EXPECT_TRUE(IsWindowVisible(note));
        const Note* record = NoteFromWindow(note);
        EXPECT_EQ(record->dock, c.edge);
        EXPECT_EQ(record->lastDock, c.edge);
        EXPECT_EQ(record->undockedRect, kFloating);
        // The file keeps the floating rectangle, not the strip.
        EXPECT_EQ(SavedFile(note), SavedAt(kFloating, 0, c.edge, c.edge));

        ForgetFile(note);
        DockNote(note, c.edge);  // the same edge again: nothing to do, nothing written
        EXPECT_FALSE(FileExists(NoteFileOf(note)));
        EXPECT_EQ(WindowRect(note), c.strip);
        const Case& next = cases[(i + 1) % std::size(cases)];
        DockNote(note, next.edge);
        EXPECT_EQ(WindowRect(note), next.strip);
        EXPECT_EQ(record->undockedRect, kFloating);
        EXPECT_EQ(SavedFile(note), SavedAt(kFloating, 0, next.edge, next.edge));
        DestroyWindow(note);
    }
}

TEST_F(Docking, UndockRestoresTheRectangleTheEditOfARegularNoteAndThePin) {
    struct Case {
        NoteType type;
        bool pinned;
        bool editShown;
    };
    const Case cases[] = {{kNoteRegular, false, true},
                          {kNoteRegular, true, true},
                          {kNoteScheduled, false, false},
                          {kNotePlaceholder, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.pinned ? " pinned" : ""));
        HWND note = MakeNoteAt(kFloating, {.type = c.type, .pinned = c.pinned});
        DockNote(note, kDockRight);
        EXPECT_TRUE(IsTopmost(note));

        UndockNote(note);
        EXPECT_EQ(WindowRect(note), kFloating);
        EXPECT_EQ(NoteEditShown(note), c.editShown);
        EXPECT_EQ(IsTopmost(note), c.pinned);
        EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
        EXPECT_EQ(NoteFromWindow(note)->lastDock, kDockRight);
        EXPECT_EQ(SavedFile(note), SavedAt(kFloating, c.pinned ? 1 : 0, kDockNone, kDockRight, c.type));

        // Undocking a floating note, or docking it to what is not an edge,
        // does nothing and writes nothing.
        ForgetFile(note);
        UndockNote(note);
        for (int edge : {0, 4, -1, 1000}) DockNote(note, edge);
        EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
        EXPECT_EQ(WindowRect(note), kFloating);
        EXPECT_FALSE(FileExists(NoteFileOf(note)));
        DestroyWindow(note);
    }
}

// The far edges of a note stored at the largest position a file can hold
// would not fit in 32 bits: the note keeps its size all the same, its strip
// can be seen and clicked, and the click brings it back inside the work area
// with its size kept, as the core repairs a rectangle no monitor shows.
TEST_F(Docking, NoteStoredAtTheFarEndOfTheCoordinatesKeepsItsSize) {
    Data().WriteNote(1, "X=2147483647\r\nY=2147483600\r\nW=240\r\nH=200\r\nDOCK=1\r\nLASTDOCK=1\r\n---\r\nfar away");
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);
    const Rect work = WorkArea();
    const Rect floating = NoteFromWindow(note)->undockedRect;
    EXPECT_EQ(floating.Width(), 240);
    EXPECT_EQ(floating.Height(), 200);
    EXPECT_EQ(WindowRect(note), (Rect{work.left, work.bottom - 200, work.left + 6, work.bottom}));

    ClickClient(note, 3, 50);
    const Rect repaired{work.left + 20, work.top + 20, work.left + 260, work.top + 220};
    EXPECT_EQ(WindowRect(note), repaired);
    EXPECT_EQ(NoteFromWindow(note)->undockedRect, repaired);
    EXPECT_EQ(SavedFile(note), SavedAt(repaired, 0, kDockNone, kDockLeft, 0, "far away"));
}

// The edge comes from the core's snap rule; here one drop shows what the
// note does with it, and a click on the strip brings it back.
TEST_F(Docking, DroppingTheNoteNearAnEdgeDocksItAndAClickBringsItBackToTheDragStart) {
    const Rect work = WorkArea();
    const Rect start{600, 400, 840, 600};
    HWND note = MakeNoteAt(start);
    MoveLoopTo(note, work.left + 8, 300);
    const Note* record = NoteFromWindow(note);
    EXPECT_EQ(record->dock, kDockLeft);
    EXPECT_EQ(record->lastDock, kDockLeft);
    EXPECT_EQ(record->undockedRect, start);
    EXPECT_TRUE(IsTopmost(note));
    EXPECT_FALSE(NoteEditShown(note));
    // The strip is placed from the floating rectangle, the drag start.
    EXPECT_EQ(WindowRect(note), (Rect{work.left, 400, work.left + 6, 600}));
    EXPECT_EQ(SavedFile(note), SavedAt(start, 0, kDockLeft, kDockLeft));
    // Every point of the strip is client area: it cannot be moved or resized.
    EXPECT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(work.left + 1, 500)), HTCLIENT);
    EXPECT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(work.left + 3, 400)), HTCLIENT);

    ClickClient(note, 3, 40);
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    EXPECT_EQ(WindowRect(note), start);
    EXPECT_TRUE(NoteEditShown(note));
    EXPECT_EQ(SavedFile(note), SavedAt(start, 0, kDockNone, kDockLeft));
}

// Only a plain move docks: neither a resize that reaches an edge nor a move
// loop that ends with a size step.
TEST_F(Docking, ALoopWithASizeStepNeverDocks) {
    const Rect work = WorkArea();
    for (bool resize : {true, false}) {
        SCOPED_TRACE(resize ? "resize" : "move");
        HWND note = MakeNoteAt(kFloating, {.id = resize ? 1u : 2u});
        RECT r{work.left, 200, resize ? 540 : work.left + 240, 400};
        SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
        if (!resize) SendMessageW(note, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        SendMessageW(note, WM_SIZING, resize ? WMSZ_LEFT : WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
        SetWindowPos(note, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
        EXPECT_EQ(WindowRect(note), (Rect{r.left, r.top, r.right, r.bottom}));
        EXPECT_EQ(SavedFile(note), SavedAt(Rect{r.left, r.top, r.right, r.bottom}, 0, kDockNone, kDockNone));
    }
}

// Which edge each note takes is the core's rule; here a note with a last
// edge, one nearest the top and one docked already show that the passes
// reach every note.
TEST_F(Docking, DockAllUsesTheLastEdgeElseTheNearestOneAndUndockAllRestoresEveryNote) {
    const Rect work = WorkArea();
    const Rect nearTop{work.left + 500, work.top + 40, work.left + 740, work.top + 240};
    const Rect lastRight{work.left + 10, work.top + 300, work.left + 250, work.top + 500};
    HWND nearest = MakeNoteAt(nearTop, {.id = 10});
    HWND last = MakeNoteAt(lastRight, {.id = 11, .lastDock = kDockRight});
    // A note docked already is left where it is.
    HWND docked = MakeNoteAt(Rect{700, 500, 940, 700}, {.id = 99});
    DockNote(docked, kDockTop);
    ForgetFile(docked);

    DockAllNotes();
    EXPECT_EQ(WindowRect(nearest), (Rect{work.left + 500, work.top, work.left + 740, work.top + 6}));
    EXPECT_EQ(SavedFile(nearest), SavedAt(nearTop, 0, kDockTop, kDockTop));
    EXPECT_EQ(WindowRect(last), (Rect{work.right - 6, work.top + 300, work.right, work.top + 500}));
    EXPECT_EQ(SavedFile(last), SavedAt(lastRight, 0, kDockRight, kDockRight));
    EXPECT_EQ(NoteFromWindow(docked)->dock, kDockTop);
    EXPECT_FALSE(FileExists(NoteFileOf(docked)));

    UndockAllNotes();
    EXPECT_TRUE(NoteEditShown(nearest) && NoteEditShown(last));
    EXPECT_EQ(WindowRect(nearest), nearTop);
    EXPECT_EQ(SavedFile(nearest), SavedAt(nearTop, 0, kDockNone, kDockTop));
    EXPECT_EQ(WindowRect(last), lastRight);
    EXPECT_EQ(SavedFile(last), SavedAt(lastRight, 0, kDockNone, kDockRight));
    EXPECT_EQ(WindowRect(docked), (Rect{700, 500, 940, 700}));
}

TEST_F(Docking, DockedNotePaintsAsAPlainStripOfTheHeaderColour) {
    HWND note = MakeNoteAt(kFloating, {.colour = 0x00402010});
    DockNote(note, kDockLeft);
    const ColourRef strip = HeaderColour(0x00402010);
    ASSERT_TRUE(PumpUntil([&] { return WindowPixel(note, 3, 100) == strip; }));
    for (POINT p : {POINT{0, 0}, POINT{5, 0}, POINT{0, 199}, POINT{5, 199}, POINT{2, 15}, POINT{3, 40}}) {
        EXPECT_EQ(WindowPixel(note, p.x, p.y), strip) << p.x << "," << p.y;
    }
}

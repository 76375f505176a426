// Docking real note windows: the header triangles, the strip geometry, what
// is saved, undocking, the drop near an edge, and the passes over all notes.
#include <string>

#include "app/note_passes.h"
#include "notes/docking.h"
#include "notes/docking_geometry.h"
#include "notes/note_loading.h"
#include "notes/note_window_state.h"
#include "storage/note_files.h"
#include "test_support.h"
#include "ui/colour_rules.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

// Client points inside the three dock cells of a note w pixels wide.
constexpr int kDockCellY = 15;
int DockCellX(int edge, int width) {
    return width - 94 + 14 * (edge - 1) + 7;
}

// The work area as the system states it for the window's monitor.
Rect WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return ToRect(info.rcWork);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool EditShown(HWND note) {
    return IsWindowVisible(NoteEditOf(note)) != FALSE;
}

// The strip a note with this floating rectangle becomes at each edge, as the
// work area decides, written out rather than asked of the code under test.
Rect ExpectedStrip(const Rect& floating, const Rect& work, int edge) {
    switch (edge) {
    case kDockLeft: return Rect{work.left, floating.top, work.left + 6, floating.bottom};
    case kDockRight: return Rect{work.right - 6, floating.top, work.right, floating.bottom};
    default: return Rect{floating.left, work.top, floating.right, work.top + 6};
    }
}

// The header lines of a saved note, up to the separator.
std::string SavedHeader(const Rect& r, int pinned, int dock, int lastDock, int type = 0,
                        const std::string& colour = "FFF6A0") {
    return "X=" + std::to_string(r.left) + "\r\nY=" + std::to_string(r.top) + "\r\nW=" + std::to_string(r.Width()) +
           "\r\nH=" + std::to_string(r.Height()) + "\r\nCOLOR=#" + colour + "\r\nCAT=0\r\nSUBCAT=0\r\nPIN=" +
           std::to_string(pinned) + "\r\nDOCK=" + std::to_string(dock) + "\r\nLASTDOCK=" + std::to_string(lastDock) +
           "\r\nTYPE=" + std::to_string(type) + "\r\n---\r\n";
}

class Docking : public DataFolderTest {
protected:
    struct NoteSetup {
        Rect rect;
        std::uint64_t id = 0x1234;
        std::int32_t type = kNoteRegular;
        std::int32_t pinned = 0;
        std::int32_t lastDock = kDockNone;
        ColourRef colour = kDefaultNoteColour;
    };

    // A shown note with some text, so that every save writes a file.
    HWND MakeNote(const NoteSetup& setup) {
        NoteCreateParams params;
        params.id = setup.id;
        params.x = setup.rect.left;
        params.y = setup.rect.top;
        params.width = setup.rect.Width();
        params.height = setup.rect.Height();
        params.colour = setup.colour;
        params.type = setup.type;
        params.pinned = setup.pinned;
        params.lastDock = setup.lastDock;
        params.body = u"words";
        HWND note = ShowNewNote(params);
        if (setup.pinned) SetWindowPos(note, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return note;
    }
    HWND MakeNote(const Rect& rect, std::uint64_t id = 0x1234) {
        NoteSetup setup;
        setup.rect = rect;
        setup.id = id;
        return MakeNote(setup);
    }

    std::u16string FileOf(HWND note) { return NoteFileOf(note); }
    std::string Saved(HWND note) { return ReadRawFile(FileOf(note)); }
    std::string SavedHeaderOf(HWND note) {
        const std::string text = Saved(note);
        const size_t end = text.find("---\r\n");
        return end == std::string::npos ? text : text.substr(0, end + 5);
    }

    void StoreNote(const std::u16string& name, const std::string& text) {
        CreateDirectoryW(Wide(DataPath()), nullptr);
        CreateDirectoryW(Wide(DataPath(u"notes")), nullptr);
        WriteRawFile(DataPath(u"notes\\" + name), text);
    }
};

void ClickClient(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// One system move loop as the note sees it: enter, the window moved to
// (left, top) with WM_MOVING on the way, exit.
void MoveLoopTo(HWND note, int left, int top) {
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    const Rect r = WindowRectOf(note);
    RECT moving{left, top, left + r.Width(), top + r.Height()};
    SetWindowPos(note, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace

TEST_F(Docking, WorkAreaOfTheMonitorIsTheSystemWorkArea) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    RECT system{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &system, 0));
    EXPECT_EQ(WorkAreaOf(note), ToRect(system));
    EXPECT_EQ(WorkAreaNearWindow(note), ToRect(system));
}

TEST_F(Docking, EachTriangleDocksTheNoteAsAStripAlongItsEdge) {
    const Rect floating{300, 200, 540, 400};
    for (int edge : {kDockLeft, kDockTop, kDockRight}) {
        SCOPED_TRACE(edge);
        HWND note = MakeNote(floating);
        const Rect work = WorkAreaOf(note);
        ASSERT_TRUE(EditShown(note));
        ASSERT_FALSE(IsTopmost(note));

        ClickClient(note, DockCellX(edge, floating.Width()), kDockCellY);

        EXPECT_EQ(WindowRectOf(note), ExpectedStrip(floating, work, edge));
        EXPECT_TRUE(IsTopmost(note));
        EXPECT_FALSE(EditShown(note));
        EXPECT_TRUE(IsWindowVisible(note));
        const Note* record = NoteFromWindow(note);
        EXPECT_EQ(record->dock, edge);
        EXPECT_EQ(record->lastDock, edge);
        EXPECT_EQ(record->undockedRect, floating);
        // The file keeps the floating rectangle, not the strip.
        EXPECT_EQ(Saved(note), SavedHeader(floating, 0, edge, edge) + "words");
        DestroyWindow(note);
    }
}

TEST_F(Docking, StripIsCutToTheWorkAreaAndKeptInsideIt) {
    HWND probe = MakeNote(Rect{300, 200, 540, 400}, 1);
    const Rect work = WorkAreaOf(probe);
    DestroyWindow(probe);

    // Taller than the work area: as long as the work area, from its top.
    HWND tall = MakeNote(Rect{300, work.top + 10, 540, work.top + 10 + work.Height() + 200}, 2);
    DockNote(tall, kDockLeft);
    EXPECT_EQ(WindowRectOf(tall), (Rect{work.left, work.top, work.left + 6, work.bottom}));

    // Reaching below the work area: moved up to end at its bottom.
    HWND low = MakeNote(Rect{300, work.bottom - 100, 540, work.bottom + 100}, 3);
    DockNote(low, kDockRight);
    EXPECT_EQ(WindowRectOf(low), (Rect{work.right - 6, work.bottom - 200, work.right, work.bottom}));

    // Reaching past the right edge, docked top: moved left to end at it.
    HWND wide = MakeNote(Rect{work.right - 100, 300, work.right + 140, 500}, 4);
    DockNote(wide, kDockTop);
    EXPECT_EQ(WindowRectOf(wide), (Rect{work.right - 240, work.top, work.right, work.top + 6}));
}

TEST_F(Docking, DockingAgainToTheSameEdgeWritesNothing) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    DockNote(note, kDockLeft);
    ASSERT_TRUE(FileExists(FileOf(note)));
    ASSERT_TRUE(DeleteFileW(Wide(FileOf(note))));

    const Rect strip = WindowRectOf(note);

    DockNote(note, kDockLeft);
    EXPECT_FALSE(FileExists(FileOf(note)));
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockLeft);
    EXPECT_EQ(WindowRectOf(note), strip);
    EXPECT_EQ(NoteFromWindow(note)->undockedRect, (Rect{300, 200, 540, 400}));
}

TEST_F(Docking, DockingToAnotherEdgeMovesTheStripAndKeepsTheFloatingRectangle) {
    const Rect floating{300, 200, 540, 400};
    HWND note = MakeNote(floating);
    const Rect work = WorkAreaOf(note);
    DockNote(note, kDockLeft);

    DockNote(note, kDockTop);
    EXPECT_EQ(WindowRectOf(note), ExpectedStrip(floating, work, kDockTop));
    EXPECT_EQ(NoteFromWindow(note)->undockedRect, floating);
    EXPECT_EQ(Saved(note), SavedHeader(floating, 0, kDockTop, kDockTop) + "words");

    DockNote(note, kDockRight);
    EXPECT_EQ(WindowRectOf(note), ExpectedStrip(floating, work, kDockRight));
    EXPECT_EQ(Saved(note), SavedHeader(floating, 0, kDockRight, kDockRight) + "words");
}

TEST_F(Docking, EdgesOtherThanLeftTopAndRightAreRefused) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    for (int edge : {0, 4, -1, 1000}) DockNote(note, edge);
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    EXPECT_EQ(WindowRectOf(note), (Rect{300, 200, 540, 400}));
    EXPECT_FALSE(FileExists(FileOf(note)));
}

TEST_F(Docking, UndockRestoresTheRectangleAndTheEditAndSaves) {
    const Rect floating{300, 200, 540, 400};
    HWND note = MakeNote(floating);
    DockNote(note, kDockRight);

    UndockNote(note);
    EXPECT_EQ(WindowRectOf(note), floating);
    EXPECT_TRUE(EditShown(note));
    EXPECT_FALSE(IsTopmost(note));  // not pinned
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    EXPECT_EQ(NoteFromWindow(note)->lastDock, kDockRight);
    EXPECT_EQ(Saved(note), SavedHeader(floating, 0, kDockNone, kDockRight) + "words");

    // Undocking a floating note does nothing and writes nothing.
    ASSERT_TRUE(DeleteFileW(Wide(FileOf(note))));
    UndockNote(note);
    EXPECT_FALSE(FileExists(FileOf(note)));
}

TEST_F(Docking, UndockShowsTheEditOnlyForARegularNoteAndFollowsThePin) {
    const Rect floating{300, 200, 540, 400};
    struct Case {
        std::int32_t type;
        std::int32_t pinned;
        bool editShown;
    };
    const Case cases[] = {{kNoteRegular, 1, true}, {kNoteScheduled, 0, false}, {kNotePlaceholder, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        NoteSetup setup;
        setup.rect = floating;
        setup.type = c.type;
        setup.pinned = c.pinned;
        HWND note = MakeNote(setup);
        DockNote(note, kDockTop);
        EXPECT_TRUE(IsTopmost(note));
        UndockNote(note);
        EXPECT_EQ(WindowRectOf(note), floating);
        EXPECT_EQ(EditShown(note), c.editShown);
        EXPECT_EQ(IsTopmost(note), c.pinned != 0);
        EXPECT_EQ(Saved(note), SavedHeader(floating, c.pinned, kDockNone, kDockTop, c.type) + "words");
        DestroyWindow(note);
    }
}

// A note stored docked whose floating rectangle lies where no monitor is
// (one was removed) comes back, when clicked, 20 pixels inside the work area.
TEST_F(Docking, FloatingRectangleOffEveryScreenIsRepairedWithItsSizeKept) {
    StoreNote(u"note_0000000000000001.txt",
              "X=-4000\r\nY=-3000\r\nW=250\r\nH=210\r\nDOCK=1\r\nLASTDOCK=1\r\n---\r\nfar away");
    LoadAllNotes(GetModuleHandleW(nullptr));
    const auto notes = WindowsOfClass(kNoteWindowClass);
    ASSERT_EQ(notes.size(), 1u);
    HWND note = notes.front();
    const Rect work = WorkAreaOf(note);
    // The strip itself lies inside the work area, as long as the note.
    EXPECT_EQ(WindowRectOf(note), (Rect{work.left, work.top, work.left + 6, work.top + 210}));

    ClickClient(note, 3, 50);
    const Rect repaired{work.left + 20, work.top + 20, work.left + 270, work.top + 230};
    EXPECT_EQ(WindowRectOf(note), repaired);
    EXPECT_EQ(NoteFromWindow(note)->undockedRect, repaired);
    EXPECT_EQ(Saved(note), SavedHeader(repaired, 0, kDockNone, kDockLeft, 0, "FFF6A0") + "far away");
}

TEST_F(Docking, FloatingRectangleThatStillOverlapsTheWorkAreaIsKept) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    const Rect work = WorkAreaOf(note);
    DockNote(note, kDockLeft);
    // One pixel column still on the screen.
    const Rect partly{work.right - 1, 200, work.right + 239, 400};
    NoteFromWindow(note)->undockedRect = partly;
    UndockNote(note);
    EXPECT_EQ(WindowRectOf(note), partly);
}

TEST_F(Docking, DroppingTheNoteNearAnEdgeDocksItThere) {
    HWND probe = MakeNote(Rect{300, 200, 540, 400}, 1);
    const Rect work = WorkAreaOf(probe);
    DestroyWindow(probe);
    const int w = 240, h = 200;
    struct Case {
        const char* what;
        int left, top;
        std::int32_t edge;
    };
    const Case cases[] = {
        {"left edge 8 px in", work.left + 8, 300, kDockLeft},
        {"left edge 9 px in", work.left + 9, 300, kDockNone},
        {"left edge past the screen", work.left - 50, 300, kDockLeft},
        {"right edge 8 px in", work.right - 8 - w, 300, kDockRight},
        {"right edge 9 px in", work.right - 9 - w, 300, kDockNone},
        {"top edge 8 px in", 500, work.top + 8, kDockTop},
        {"top edge 9 px in", 500, work.top + 9, kDockNone},
        {"left wins over top", work.left + 3, work.top + 3, kDockLeft},
        {"right wins over top", work.right - w, work.top, kDockRight},
        {"against the bottom", 500, work.bottom - h + 20, kDockNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Rect start{600, 400, 600 + w, 400 + h};
        HWND note = MakeNote(start);
        MoveLoopTo(note, c.left, c.top);
        const Note* record = NoteFromWindow(note);
        EXPECT_EQ(record->dock, c.edge);
        if (c.edge == kDockNone) {
            const Rect dropped{c.left, c.top, c.left + w, c.top + h};
            EXPECT_EQ(WindowRectOf(note), dropped);
            EXPECT_EQ(SavedHeaderOf(note), SavedHeader(dropped, 0, kDockNone, kDockNone));
        } else {
            // Undocking will bring it back to where the drag started.
            EXPECT_EQ(record->undockedRect, start);
            EXPECT_EQ(record->lastDock, c.edge);
            EXPECT_TRUE(IsTopmost(note));
            EXPECT_FALSE(EditShown(note));
            // The strip is placed from the floating rectangle, the drag start.
            EXPECT_EQ(WindowRectOf(note), ExpectedStrip(start, work, c.edge));
            EXPECT_EQ(SavedHeaderOf(note), SavedHeader(start, 0, c.edge, c.edge));
        }
        DestroyWindow(note);
    }
}

TEST_F(Docking, AClickOnTheStripAfterADragDockBringsTheNoteBackToTheDragStart) {
    const Rect start{600, 400, 840, 600};
    HWND note = MakeNote(start);
    const Rect work = WorkAreaOf(note);
    MoveLoopTo(note, work.left + 5, 250);
    ASSERT_EQ(NoteFromWindow(note)->dock, kDockLeft);
    // Every point of the strip is client area: it cannot be moved or resized.
    POINT inside{work.left + 1, 300};
    EXPECT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
    POINT top{work.left + 3, 250};
    EXPECT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(top.x, top.y)), HTCLIENT);

    ClickClient(note, 3, 40);
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    EXPECT_EQ(WindowRectOf(note), start);
    EXPECT_TRUE(EditShown(note));
    EXPECT_EQ(SavedHeaderOf(note), SavedHeader(start, 0, kDockNone, kDockLeft));
}

TEST_F(Docking, AResizeThatTouchesAnEdgeNeverDocks) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    const Rect work = WorkAreaOf(note);
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    RECT sizing{work.left, 200, 540, 400};
    SendMessageW(note, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&sizing));
    SetWindowPos(note, nullptr, work.left, 200, 540 - work.left, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);

    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    const Rect resized{work.left, 200, 540, 400};
    EXPECT_EQ(WindowRectOf(note), resized);
    EXPECT_EQ(SavedHeaderOf(note), SavedHeader(resized, 0, kDockNone, kDockNone));
}

TEST_F(Docking, AMoveLoopThatEndsWithASizeStepDoesNotDock) {
    HWND note = MakeNote(Rect{300, 200, 540, 400});
    const Rect work = WorkAreaOf(note);
    SendMessageW(note, WM_ENTERSIZEMOVE, 0, 0);
    RECT moving{work.left, 200, work.left + 240, 400};
    SendMessageW(note, WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    SendMessageW(note, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&moving));
    SetWindowPos(note, nullptr, work.left, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(note, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
}

TEST_F(Docking, DockAllUsesTheLastEdgeElseTheNearestOne) {
    HWND probe = MakeNote(Rect{300, 200, 540, 400}, 1);
    const Rect work = WorkAreaOf(probe);
    DestroyWindow(probe);
    struct Case {
        const char* what;
        Rect rect;
        std::int32_t lastDock;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"50 from both sides, 300 from the top", {work.left + 50, work.top + 300, work.right - 50, work.top + 500},
         kDockNone, kDockLeft},
        {"50 from the top and the left, 600 from the right",
         {work.left + 50, work.top + 50, work.right - 600, work.top + 250}, kDockNone, kDockLeft},
        {"40 from the top, 50 from both sides", {work.left + 50, work.top + 40, work.right - 50, work.top + 240},
         kDockNone, kDockTop},
        {"nearer the right", {work.right - 300, work.top + 300, work.right - 40, work.top + 500}, kDockNone,
         kDockRight},
        {"last edge wins over the nearest", {work.left + 10, work.top + 300, work.left + 250, work.top + 500},
         kDockRight, kDockRight},
    };
    std::vector<HWND> notes;
    std::uint64_t id = 10;
    for (const Case& c : cases) {
        NoteSetup setup;
        setup.rect = c.rect;
        setup.id = id++;
        setup.lastDock = c.lastDock;
        notes.push_back(MakeNote(setup));
    }
    // A note docked already is left where it is.
    HWND docked = MakeNote(Rect{700, 500, 940, 700}, 99);
    DockNote(docked, kDockTop);
    ASSERT_TRUE(DeleteFileW(Wide(FileOf(docked))));

    DockAllNotes();
    for (size_t i = 0; i < notes.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        const Note* record = NoteFromWindow(notes[i]);
        EXPECT_EQ(record->dock, cases[i].expected);
        EXPECT_EQ(WindowRectOf(notes[i]), StripRect(cases[i].rect, work, cases[i].expected));
        EXPECT_EQ(SavedHeaderOf(notes[i]), SavedHeader(cases[i].rect, 0, cases[i].expected, cases[i].expected));
    }
    EXPECT_EQ(NoteFromWindow(docked)->dock, kDockTop);
    EXPECT_FALSE(FileExists(FileOf(docked)));

    UndockAllNotes();
    for (size_t i = 0; i < notes.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(NoteFromWindow(notes[i])->dock, kDockNone);
        EXPECT_EQ(WindowRectOf(notes[i]), cases[i].rect);
        EXPECT_TRUE(EditShown(notes[i]));
        EXPECT_EQ(SavedHeaderOf(notes[i]), SavedHeader(cases[i].rect, 0, kDockNone, cases[i].expected));
    }
    EXPECT_EQ(WindowRectOf(docked), (Rect{700, 500, 940, 700}));

    // After undocking the last edge is remembered: dock all puts each note back.
    DockAllNotes();
    for (size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(NoteFromWindow(notes[i])->dock, cases[i].expected);
}

TEST_F(Docking, DockedNotePaintsAsAPlainStripOfTheHeaderColour) {
    NoteSetup setup;
    setup.rect = Rect{300, 200, 540, 400};
    setup.colour = 0x00402010;
    HWND note = MakeNote(setup);
    DockNote(note, kDockLeft);
    const ColourRef strip = HeaderColour(0x00402010);
    const auto pixel = [&](int x, int y) {
        const WindowDc dc(note);
        return GetPixel(dc.Get(), x, y);
    };
    ASSERT_TRUE(PumpUntil([&] { return pixel(3, 100) == strip; }));
    for (POINT p : {POINT{0, 0}, POINT{5, 0}, POINT{0, 199}, POINT{5, 199}, POINT{2, 15}, POINT{3, 40}}) {
        EXPECT_EQ(pixel(p.x, p.y), strip) << p.x << "," << p.y;
    }
}

// The far edges of a note stored at the largest position a file can hold
// would not fit in 32 bits: the note keeps its size all the same, its strip
// can be seen and clicked, and undocking brings it back like any other.
TEST_F(Docking, NoteStoredAtTheFarEndOfTheCoordinatesKeepsItsSize) {
    StoreNote(u"note_0000000000000001.txt",
              "X=2147483647\r\nY=2147483600\r\nW=240\r\nH=200\r\nDOCK=1\r\nLASTDOCK=1\r\n---\r\nfar away");
    LoadAllNotes(GetModuleHandleW(nullptr));
    const auto notes = WindowsOfClass(kNoteWindowClass);
    ASSERT_EQ(notes.size(), 1u);
    HWND note = notes.front();
    const Rect work = WorkAreaOf(note);
    const Rect floating = NoteFromWindow(note)->undockedRect;
    EXPECT_EQ(floating.Width(), 240);
    EXPECT_EQ(floating.Height(), 200);
    EXPECT_EQ(WindowRectOf(note), (Rect{work.left, work.bottom - 200, work.left + 6, work.bottom}));

    ClickClient(note, 3, 50);
    const Rect repaired{work.left + 20, work.top + 20, work.left + 260, work.top + 220};
    EXPECT_EQ(WindowRectOf(note), repaired);
    EXPECT_EQ(Saved(note), SavedHeader(repaired, 0, kDockNone, kDockLeft) + "far away");
}

// Docking in the real program: notes stored docked, the tray's dock-all and
// undock-all commands, and a note dragged to the screen edge with the mouse.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "storage/core/note_record.h"
#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"

namespace {

constexpr int kStrip = 6;

// A stored note in the default colour at that floating rectangle.
std::string StoredNote(const Rect& r, int dock, int lastDock, const std::string& body) {
    return NoteFileText({.x = r.left, .y = r.top, .width = r.Width(), .height = r.Height(), .dock = dock,
                         .lastDock = lastDock, .body = body});
}

// The note whose edit holds this ASCII text.
HWND NoteWithText(const QuillboardProcess& program, const std::string& text) {
    for (HWND note : program.Windows(kNoteClass)) {
        if (NoteText(note) == std::u16string(text.begin(), text.end())) return note;
    }
    return nullptr;
}

testing::AssertionResult WaitForRect(HWND window, const Rect& expected) {
    if (PumpUntil([&] { return WindowRect(window) == expected; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the window is at " << testing::PrintToString(WindowRect(window))
                                       << ", not at " << testing::PrintToString(expected);
}

// Real mouse input, in absolute screen pixels.
void SendMouse(DWORD flags, int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, width - 1);
    input.mi.dy = MulDiv(y, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

// True while the window's thread runs the system's move or size loop.
bool InMoveLoop(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

bool MoveMouseTo(int x, int y) {
    SendMouse(0, x, y);
    return PumpUntil(
        [&] {
            POINT cursor{};
            GetCursorPos(&cursor);
            return cursor.x == x && cursor.y == y;
        },
        std::chrono::milliseconds(2000));
}

void Click(int x, int y) {
    MoveMouseTo(x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
}

}  // namespace

// Notes stored docked start as strips on their edges, and the tray's
// commands dock every floating note (on its last edge, else the nearest)
// and undock every note again.
TEST(DockingProgram, NotesStoredDockedStartAsStripsAndTheTrayDocksAndUndocksEveryNote) {
    DataFolder data;
    const Rect work = WorkArea();
    struct Case {
        const char* text;
        Rect floating;
        int dock, lastDock;  // as stored
        Rect strip;
        int edge;  // docked on, at start or by the tray's command
        int last;  // the last edge once undocked: LASTDOCK is taken from DOCK only when it was 0
    };
    const Case cases[] = {
        {"left", {300, 150, 540, 350}, 1, 1, {work.left, 150, work.left + kStrip, 350}, 1, 1},
        {"top", {700, 200, 940, 400}, 2, 0, {700, work.top, 940, work.top + kStrip}, 2, 2},
        {"right", {1100, 250, 1340, 450}, 3, 2, {work.right - kStrip, 250, work.right, 450}, 3, 2},
        {"A floating note", {work.left + 200, 500, work.left + 440, 700}, 0, 0,
         {work.left, 500, work.left + kStrip, 700}, 1, 1},
        {"Another floating note", {1000, 520, 1240, 720}, 0, 2, {1000, work.top, 1240, work.top + kStrip}, 2, 2},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        data.WriteNote(i + 1, StoredNote(c.floating, c.dock, c.lastDock, c.text));
    }
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, std::size(cases)));
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    const auto expectDocked = [&](const Case& c, bool docked) {
        SCOPED_TRACE(c.text);
        HWND note = NoteWithText(program, c.text);
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(WaitForRect(note, docked ? c.strip : c.floating));
        WaitUntilIdle(tray);
        EXPECT_EQ(IsTopmost(note), docked);
        EXPECT_EQ(NoteEditShown(note), !docked);
        EXPECT_TRUE(IsWindowVisible(note));
    };
    for (const Case& c : cases) expectDocked(c, c.dock != 0);

    // On the screen the strips are plain bars of the header colour. The
    // splash goes first, so that the picture shows the notes alone.
    for (HWND splash : program.Windows(kSplashClass)) PostMessageW(splash, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.Windows(kSplashClass).empty(); }));
    const COLORREF header = HeaderColour(kDefaultNoteColour);
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenPixel(work.left + 2, 250) == header && ScreenPixel(820, work.top + 3) == header &&
               ScreenPixel(work.right - 3, 350) == header && ScreenPixel(work.left + 320, 600) == kDefaultNoteColour &&
               ScreenPixel(1120, 620) == kDefaultNoteColour;
    }));
    SaveScreenshotIfAsked(u"docked-strips");

    PostMessageW(tray, WM_COMMAND, kDockAllCommand, 0);
    for (const Case& c : cases) expectDocked(c, true);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        if (c.dock == 0) {
            EXPECT_EQ(data.ReadNote(i + 1), StoredNote(c.floating, c.edge, c.edge, c.text)) << c.text;
        }
    }
    PostMessageW(tray, WM_COMMAND, kUndockAllCommand, 0);
    for (const Case& c : cases) expectDocked(c, false);
    program.QuitThroughTray();
    // Saved with the floating rectangle and the last edge.
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(data.ReadNote(i + 1), StoredNote(c.floating, 0, c.last, c.text)) << c.text;
    }
}

// The whole road with the mouse: press on the header, drag to the left edge,
// release; the note becomes a left strip; a click on it brings it back to
// where the drag started.
TEST(DockingProgram, DraggingANoteToTheLeftEdgeDocksItAndAClickBringsItBack) {
    DataFolder data;
    const Rect work = WorkArea();
    const Rect start{400, 300, 640, 500};
    data.WriteNote(1, StoredNote(start, 0, 0, "dragged"));
    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    ASSERT_NE(note, nullptr);
    ASSERT_TRUE(WaitForRect(note, start));

    // The gap between the title and the dock triangles moves the note.
    const int grabX = start.right - 98;
    const int grabY = start.top + 15;
    ASSERT_EQ(SendMessageW(note, WM_NCHITTEST, 0, MAKELPARAM(grabX, grabY)), HTCAPTION);
    ASSERT_TRUE(MoveMouseTo(grabX, grabY));
    SendMouse(MOUSEEVENTF_LEFTDOWN, grabX, grabY);
    // The press starts the system's move loop; moves sent before it runs would
    // reach the note as plain non-client moves.
    ASSERT_TRUE(PumpUntil([&] { return InMoveLoop(note); }));

    // Drop with the note's left edge 4 pixels from the work area's left.
    const int dropX = work.left + 4 + (grabX - start.left);
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step) {
        const int x = grabX + (dropX - grabX) * step / kSteps;
        ASSERT_TRUE(MoveMouseTo(x, grabY)) << "step " << step;
        // The note follows the mouse while it is dragged.
        EXPECT_TRUE(PumpUntil([&] { return WindowRect(note).left == start.left + (x - grabX); }))
            << "step " << step << ": the note follows the mouse, at " << testing::PrintToString(WindowRect(note));
    }
    SendMouse(MOUSEEVENTF_LEFTUP, dropX, grabY);
    EXPECT_TRUE(PumpUntil([&] { return !InMoveLoop(note); }));

    ASSERT_TRUE(WaitForRect(note, {work.left, start.top, work.left + kStrip, start.bottom}));
    WaitUntilIdle(note);
    EXPECT_TRUE(IsTopmost(note));
    EXPECT_FALSE(NoteEditShown(note));
    // Saved at the end of the move loop with the rectangle the drag started from.
    EXPECT_EQ(data.ReadNote(1), StoredNote(start, 1, 1, "dragged"));

    Click(work.left + 3, start.top + 100);
    ASSERT_TRUE(WaitForRect(note, start));
    WaitUntilIdle(note);
    EXPECT_TRUE(NoteEditShown(note));
    EXPECT_FALSE(IsTopmost(note));
    EXPECT_EQ(data.ReadNote(1), StoredNote(start, 0, 1, "dragged"));

    program.QuitThroughTray();
}

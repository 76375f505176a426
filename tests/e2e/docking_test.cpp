// Docking in the real program: notes stored docked, the tray's dock-all and
// undock-all commands, and a note dragged to the screen edge with the mouse.
#include <gtest/gtest.h>

#include <string>

#include "storage/note_record.h"
#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/window_checks.h"
#include "ui/colour_rules.h"

namespace {

constexpr int kStrip = 6;

// A stored note in the default colour at that floating rectangle.
std::string StoredNote(const Rect& r, int dock, int lastDock, const std::string& body) {
    return NoteFileText({.x = r.left, .y = r.top, .width = r.Width(), .height = r.Height(), .dock = dock,
                         .lastDock = lastDock, .body = body});
}

// The note whose edit holds this text.
HWND NoteWithText(const QuillboardProcess& program, const std::u16string& text) {
    for (HWND note : program.Windows(kNoteClass)) {
        if (NoteText(note) == text) return note;
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

bool CursorAt(int x, int y) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x == x && cursor.y == y;
}

bool MoveMouseTo(int x, int y) {
    SendMouse(0, x, y);
    return PumpUntil([&] { return CursorAt(x, y); }, std::chrono::milliseconds(2000));
}

void Click(int x, int y) {
    MoveMouseTo(x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
}

}  // namespace

TEST(DockingProgram, NotesStoredDockedStartAsStripsOnTheirEdges) {
    DataFolder data;
    const Rect work = WorkArea();
    const Rect left{300, 150, 540, 350}, top{700, 200, 940, 400}, right{1100, 250, 1340, 450};
    data.WriteNote(1, StoredNote(left, 1, 1, "left"));
    data.WriteNote(2, StoredNote(top, 2, 0, "top"));
    data.WriteNote(3, StoredNote(right, 3, 2, "right"));
    data.WriteNote(4, StoredNote({420, 480, 660, 680}, 0, 0, "A floating note"));
    data.WriteNote(5, StoredNote({900, 520, 1140, 720}, 0, 1, "Another floating note"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 5));

    struct Case {
        const char* edge;
        const char16_t* text;
        Rect strip;
    };
    const Case cases[] = {
        {"left", u"left", {work.left, 150, work.left + kStrip, 350}},
        {"top", u"top", {700, work.top, 940, work.top + kStrip}},
        {"right", u"right", {work.right - kStrip, 250, work.right, 450}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        HWND note = NoteWithText(program, c.text);
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(WaitForRect(note, c.strip));
        EXPECT_TRUE(IsTopmost(note));
        EXPECT_FALSE(NoteEditShown(note));
        EXPECT_TRUE(IsWindowVisible(note));
    }
    EXPECT_TRUE(NoteEditShown(NoteWithText(program, u"A floating note")));

    // On the screen the strips are plain bars of the header colour. The
    // splash goes first, so that the picture shows the notes alone.
    for (HWND splash : program.Windows(kSplashClass)) PostMessageW(splash, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.Windows(kSplashClass).empty(); }));
    const COLORREF header = HeaderColour(kDefaultNoteColour);
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenPixel(work.left + 2, 250) == header && ScreenPixel(820, work.top + 3) == header &&
               ScreenPixel(work.right - 3, 350) == header && ScreenPixel(540, 600) == kDefaultNoteColour &&
               ScreenPixel(1020, 650) == kDefaultNoteColour;
    }));
    SaveScreenshotIfAsked(u"docked-strips");

    program.QuitThroughTray();
    // Saved as loaded: the floating rectangle, and LASTDOCK from DOCK when it was 0.
    EXPECT_EQ(data.ReadNote(1), StoredNote(left, 1, 1, "left"));
    EXPECT_EQ(data.ReadNote(2), StoredNote(top, 2, 2, "top"));
    EXPECT_EQ(data.ReadNote(3), StoredNote(right, 3, 2, "right"));
}

TEST(DockingProgram, TrayCommandsDockAndUndockEveryNote) {
    DataFolder data;
    const Rect work = WorkArea();
    const Rect nearLeft{work.left + 200, 300, work.left + 440, 500};
    const Rect lastTop{1000, 400, 1240, 600};
    const Rect nearRight{work.right - 400, 500, work.right - 160, 700};
    data.WriteNote(1, StoredNote(nearLeft, 0, 0, "near left"));
    data.WriteNote(2, StoredNote(lastTop, 0, 2, "last top"));
    data.WriteNote(3, StoredNote(nearRight, 0, 0, "near right"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 3));
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    HWND a = NoteWithText(program, u"near left");
    HWND b = NoteWithText(program, u"last top");
    HWND c = NoteWithText(program, u"near right");
    ASSERT_TRUE(a && b && c);

    PostMessageW(tray, WM_COMMAND, kDockAllCommand, 0);
    EXPECT_TRUE(WaitForRect(a, {work.left, 300, work.left + kStrip, 500}));
    EXPECT_TRUE(WaitForRect(b, {1000, work.top, 1240, work.top + kStrip}));
    EXPECT_TRUE(WaitForRect(c, {work.right - kStrip, 500, work.right, 700}));
    WaitUntilIdle(tray);
    EXPECT_TRUE(IsTopmost(a) && IsTopmost(b) && IsTopmost(c));
    EXPECT_FALSE(NoteEditShown(a) || NoteEditShown(b) || NoteEditShown(c));
    EXPECT_EQ(data.ReadNote(1), StoredNote(nearLeft, 1, 1, "near left"));
    EXPECT_EQ(data.ReadNote(2), StoredNote(lastTop, 2, 2, "last top"));
    EXPECT_EQ(data.ReadNote(3), StoredNote(nearRight, 3, 3, "near right"));

    PostMessageW(tray, WM_COMMAND, kUndockAllCommand, 0);
    EXPECT_TRUE(WaitForRect(a, nearLeft));
    EXPECT_TRUE(WaitForRect(b, lastTop));
    EXPECT_TRUE(WaitForRect(c, nearRight));
    WaitUntilIdle(tray);
    EXPECT_TRUE(NoteEditShown(a) && NoteEditShown(b) && NoteEditShown(c));
    EXPECT_FALSE(IsTopmost(a) || IsTopmost(b) || IsTopmost(c));
    EXPECT_EQ(data.ReadNote(1), StoredNote(nearLeft, 0, 1, "near left"));
    EXPECT_EQ(data.ReadNote(2), StoredNote(lastTop, 0, 2, "last top"));
    EXPECT_EQ(data.ReadNote(3), StoredNote(nearRight, 0, 3, "near right"));

    program.QuitThroughTray();
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

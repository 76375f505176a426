// Docking in the real program: notes stored docked, the tray's dock-all and
// undock-all commands, and a note dragged to the screen edge with the mouse.
#include <gtest/gtest.h>

#include <string>

#include "e2e_steps.h"
#include "quillboard_process.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr UINT kUndockAllCommand = 1004;
constexpr UINT kDockAllCommand = 1005;
constexpr int kNoteEditId = 200;
constexpr wchar_t kSplashClass[] = L"QuillboardSplash";
constexpr int kStrip = 6;
constexpr COLORREF kDefaultNoteColour = 0x00A0F6FF;
constexpr COLORREF kDefaultHeaderColour = 0x0083C9D1;  // each channel of the note colour × 0.82

struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

Box RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Box{r.left, r.top, r.right, r.bottom};
}

Box WorkArea() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Box{r.left, r.top, r.right, r.bottom};
}

COLORREF ScreenPixel(int x, int y) {
    const WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool EditShown(HWND note) {
    return IsWindowVisible(GetDlgItem(note, kNoteEditId)) != FALSE;
}

std::string NoteText(const Box& r, int dock, int lastDock, const std::string& body) {
    return "X=" + std::to_string(r.left) + "\r\nY=" + std::to_string(r.top) + "\r\nW=" +
           std::to_string(r.right - r.left) + "\r\nH=" + std::to_string(r.bottom - r.top) +
           "\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=" + std::to_string(dock) +
           "\r\nLASTDOCK=" + std::to_string(lastDock) + "\r\nTYPE=0\r\n---\r\n" + body;
}

// The note whose edit holds this text.
HWND NoteWithText(const QuillboardProcess& program, const std::u16string& text) {
    for (HWND note : program.Windows(kNoteClass)) {
        wchar_t buffer[256] = {};
        SendMessageW(GetDlgItem(note, kNoteEditId), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
        if (FromWide(buffer) == text) return note;
    }
    return nullptr;
}

bool WaitForRect(HWND window, const Box& expected) {
    return PumpUntil([&] { return RectOf(window) == expected; });
}

// Reads a note file, shared for deletion too so that on Windows a read does
// not stop the program from replacing the file. Under Wine a replace fails
// while any handle is open, so the tests read only once the program is idle.
std::string ReadWhileShared(const std::u16string& path) {
    UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::string NoteFile(const PreparedAppData& data, const std::u16string& idHex) {
    return ReadWhileShared(data.NotePath(idHex));
}

// Returns once the program's thread has finished what it was doing when the
// call was made (a sent message waits for its next message retrieval). The
// files of a command are then complete: polling them instead would race with
// the program's own replacing of the file.
void WaitUntilIdle(HWND programWindow) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(programWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
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
    PreparedAppData data;
    const Box work = WorkArea();
    const Box left{300, 150, 540, 350}, top{700, 200, 940, 400}, right{1100, 250, 1340, 450};
    data.WriteNote(u"0000000000000001", NoteText(left, 1, 1, "left"));
    data.WriteNote(u"0000000000000002", NoteText(top, 2, 0, "top"));
    data.WriteNote(u"0000000000000003", NoteText(right, 3, 2, "right"));
    data.WriteNote(u"0000000000000004", NoteText({420, 480, 660, 680}, 0, 0, "A floating note"));
    data.WriteNote(u"0000000000000005", NoteText({900, 520, 1140, 720}, 0, 1, "Another floating note"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 5));

    struct Case {
        const char* edge;
        const char16_t* text;
        Box strip;
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
        EXPECT_TRUE(WaitForRect(note, c.strip)) << RectOf(note);
        EXPECT_TRUE(IsTopmost(note));
        EXPECT_FALSE(EditShown(note));
        EXPECT_TRUE(IsWindowVisible(note));
    }
    EXPECT_TRUE(EditShown(NoteWithText(program, u"A floating note")));

    // On the screen the strips are plain bars of the header colour. The
    // splash goes first, so that the picture shows the notes alone.
    for (HWND splash : program.Windows(kSplashClass)) PostMessageW(splash, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.Windows(kSplashClass).empty(); }));
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenPixel(work.left + 2, 250) == kDefaultHeaderColour &&
               ScreenPixel(820, work.top + 3) == kDefaultHeaderColour &&
               ScreenPixel(work.right - 3, 350) == kDefaultHeaderColour &&
               ScreenPixel(540, 600) == kDefaultNoteColour && ScreenPixel(1020, 650) == kDefaultNoteColour;
    }));
    const std::u16string folder = ScreenshotFolder();
    if (!folder.empty()) SaveScreenshot(folder + u"\\docked-strips.bmp");

    QuitThroughTray(program);
    // Saved as loaded: the floating rectangle, and LASTDOCK from DOCK when it was 0.
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000001")), NoteText(left, 1, 1, "left"));
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000002")), NoteText(top, 2, 2, "top"));
    EXPECT_EQ(ReadRawFile(data.NotePath(u"0000000000000003")), NoteText(right, 3, 2, "right"));
}

TEST(DockingProgram, TrayCommandsDockAndUndockEveryNote) {
    PreparedAppData data;
    const Box work = WorkArea();
    const Box nearLeft{work.left + 200, 300, work.left + 440, 500};
    const Box lastTop{1000, 400, 1240, 600};
    const Box nearRight{work.right - 400, 500, work.right - 160, 700};
    data.WriteNote(u"0000000000000001", NoteText(nearLeft, 0, 0, "near left"));
    data.WriteNote(u"0000000000000002", NoteText(lastTop, 0, 2, "last top"));
    data.WriteNote(u"0000000000000003", NoteText(nearRight, 0, 0, "near right"));
    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 3));
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    HWND a = NoteWithText(program, u"near left");
    HWND b = NoteWithText(program, u"last top");
    HWND c = NoteWithText(program, u"near right");
    ASSERT_TRUE(a && b && c);

    PostMessageW(tray, WM_COMMAND, kDockAllCommand, 0);
    EXPECT_TRUE(WaitForRect(a, {work.left, 300, work.left + kStrip, 500})) << RectOf(a);
    EXPECT_TRUE(WaitForRect(b, {1000, work.top, 1240, work.top + kStrip})) << RectOf(b);
    EXPECT_TRUE(WaitForRect(c, {work.right - kStrip, 500, work.right, 700})) << RectOf(c);
    WaitUntilIdle(tray);
    EXPECT_TRUE(IsTopmost(a) && IsTopmost(b) && IsTopmost(c));
    EXPECT_FALSE(EditShown(a) || EditShown(b) || EditShown(c));
    EXPECT_EQ(NoteFile(data, u"0000000000000001"), NoteText(nearLeft, 1, 1, "near left"));
    EXPECT_EQ(NoteFile(data, u"0000000000000002"), NoteText(lastTop, 2, 2, "last top"));
    EXPECT_EQ(NoteFile(data, u"0000000000000003"), NoteText(nearRight, 3, 3, "near right"));

    PostMessageW(tray, WM_COMMAND, kUndockAllCommand, 0);
    EXPECT_TRUE(WaitForRect(a, nearLeft)) << RectOf(a);
    EXPECT_TRUE(WaitForRect(b, lastTop)) << RectOf(b);
    EXPECT_TRUE(WaitForRect(c, nearRight)) << RectOf(c);
    WaitUntilIdle(tray);
    EXPECT_TRUE(EditShown(a) && EditShown(b) && EditShown(c));
    EXPECT_FALSE(IsTopmost(a) || IsTopmost(b) || IsTopmost(c));
    EXPECT_EQ(NoteFile(data, u"0000000000000001"), NoteText(nearLeft, 0, 1, "near left"));
    EXPECT_EQ(NoteFile(data, u"0000000000000002"), NoteText(lastTop, 0, 2, "last top"));
    EXPECT_EQ(NoteFile(data, u"0000000000000003"), NoteText(nearRight, 0, 3, "near right"));

    QuitThroughTray(program);
}

// The whole road with the mouse: press on the header, drag to the left edge,
// release; the note becomes a left strip; a click on it brings it back to
// where the drag started.
TEST(DockingProgram, DraggingANoteToTheLeftEdgeDocksItAndAClickBringsItBack) {
    PreparedAppData data;
    const Box work = WorkArea();
    const Box start{400, 300, 640, 500};
    data.WriteNote(u"0000000000000001", NoteText(start, 0, 0, "dragged"));
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
        EXPECT_TRUE(PumpUntil([&] { return RectOf(note).left == start.left + (x - grabX); }))
            << "step " << step << ": the note follows the mouse, at " << RectOf(note);
    }
    SendMouse(MOUSEEVENTF_LEFTUP, dropX, grabY);
    EXPECT_TRUE(PumpUntil([&] { return !InMoveLoop(note); }));

    const Box strip{work.left, start.top, work.left + kStrip, start.bottom};
    ASSERT_TRUE(WaitForRect(note, strip)) << RectOf(note);
    WaitUntilIdle(note);
    EXPECT_TRUE(IsTopmost(note));
    EXPECT_FALSE(EditShown(note));
    // Saved at the end of the move loop with the rectangle the drag started from.
    EXPECT_EQ(NoteFile(data, u"0000000000000001"), NoteText(start, 1, 1, "dragged"));

    Click(work.left + 3, start.top + 100);
    ASSERT_TRUE(WaitForRect(note, start)) << RectOf(note);
    WaitUntilIdle(note);
    EXPECT_TRUE(EditShown(note));
    EXPECT_FALSE(IsTopmost(note));
    EXPECT_EQ(NoteFile(data, u"0000000000000001"), NoteText(start, 0, 1, "dragged"));

    QuitThroughTray(program);
}

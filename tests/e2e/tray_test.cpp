// The tray window of the real program, driven from outside: its commands,
// the registry value it keeps, the taskbar broadcast and the menu.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "e2e_steps.h"
#include "quillboard_process.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr UINT kTrayIconMessage = WM_APP + 1;
constexpr UINT kNewNoteCommand = 1001;
constexpr UINT kStartWithWindowsCommand = 1003;
constexpr UINT kTrayIconId = 1;
constexpr int kMenuHeightAboveTaskbar = 160;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"Quillboard";

// The Run value as text, or empty when it is missing.
std::u16string RunValueText() {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return FromWide(text);
}

// Takes the Run value away for the test and puts it back afterwards.
class RunValueGuard {
public:
    RunValueGuard() : saved_(RunValueText()) { Delete(); }
    ~RunValueGuard() {
        Delete();
        if (saved_.empty()) return;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_.c_str()),
                       static_cast<DWORD>((saved_.size() + 1) * sizeof(char16_t)));
        RegCloseKey(key);
    }
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

private:
    static void Delete() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName); }
    std::u16string saved_;
};

// The program sits beside the test program.
std::u16string ProgramPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::u16string path = FromWide(self);
    path.resize(path.find_last_of(u'\\') + 1);
    return path + u"Quillboard.exe";
}

// In quotation marks (built by appending: GCC 12 warns wrongly on "x" + temporary).
std::u16string Quoted(const std::u16string& text) {
    std::u16string quoted(1, u'"');
    quoted.append(text);
    quoted.push_back(u'"');
    return quoted;
}

// Asks the shell about the program's icon without changing it.
bool TrayIconExists(HWND tray) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = tray;
    probe.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

void RemoveTrayIconFromOutside(HWND tray) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = tray;
    record.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &record);
}

HWND VisibleMenuOf(const QuillboardProcess& process) {
    for (HWND menu : process.Windows(kMenuClass)) {
        if (IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

// Pixels dark enough to be menu text inside a rectangle of the screen as it
// is shown now (a window can be visible a moment before it is painted).
int DarkPixelsOnScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return 0;
    {
        const SelectScope selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    constexpr BYTE kDarkChannel = 80;
    const auto* pixels = static_cast<const BYTE*>(bits);
    int dark = 0;
    for (int i = 0; i < width * height; ++i) {
        const BYTE* pixel = pixels + i * 4;
        if (pixel[0] < kDarkChannel && pixel[1] < kDarkChannel && pixel[2] < kDarkChannel) ++dark;
    }
    return dark;
}

// Both the first and the last items of the menu are drawn on the screen.
bool MenuPainted(const RECT& bounds) {
    constexpr int kEnoughTextPixels = 20;
    const LONG middle = (bounds.top + bounds.bottom) / 2;
    return DarkPixelsOnScreen({bounds.left, bounds.top, bounds.right, middle}) > kEnoughTextPixels &&
           DarkPixelsOnScreen({bounds.left, middle, bounds.right, bounds.bottom}) > kEnoughTextPixels;
}

// Where a picture of the menu goes when the run asks for pictures.
std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
}

}  // namespace

TEST(TrayProgram, StartWithWindowsCommandWritesThenDeletesTheRunValue) {
    const RunValueGuard guard;
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    const std::u16string expected = Quoted(ProgramPath());
    PostMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(PumpUntil([] { return !RunValueText().empty(); }));
    EXPECT_EQ(RunValueText(), expected);

    PostMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(PumpUntil([] { return RunValueText().empty(); }));

    QuitThroughTray(quillboard);
}

TEST(TrayProgram, TaskbarCreatedBroadcastBringsTheIconBack) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }));

    // As after an Explorer restart: the new taskbar has no icon of ours.
    RemoveTrayIconFromOutside(tray);
    ASSERT_FALSE(TrayIconExists(tray));

    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }));
    EXPECT_TRUE(quillboard.Running());

    // A second broadcast while the icon is there is harmless.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(tray, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_TRUE(TrayIconExists(tray));

    QuitThroughTray(quillboard);
}

TEST(TrayProgram, NewNoteCommandOpensANoteWindow) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(quillboard.Windows(kNoteClass).empty());

    PostMessageW(tray, WM_COMMAND, kNewNoteCommand, 0);
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 1));

    QuitThroughTray(quillboard);
}

TEST(TrayProgram, QuitCommandEndsWithExitCodeZero) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }));

    QuitThroughTray(quillboard);
    EXPECT_FALSE(IsWindow(tray));
}

TEST(TrayProgram, RightClickOnTheIconShowsTheMenuAndEscapeClosesIt) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    // The menu opens at the cursor: near the icon's corner, high enough that
    // the menu leaves the taskbar and the icon in sight.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(width - 40, height - kMenuHeightAboveTaskbar);
    PostMessageW(tray, kTrayIconMessage, kTrayIconId, WM_RBUTTONUP);

    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = VisibleMenuOf(quillboard)) != nullptr; }));
    RECT bounds{};
    GetWindowRect(menu, &bounds);
    EXPECT_GT(bounds.bottom - bounds.top, 100);  // six items and three separators
    EXPECT_LE(bounds.right, width);
    EXPECT_LE(bounds.bottom, height);

    EXPECT_TRUE(PumpUntil([&] { return MenuPainted(bounds); }));

    const std::u16string folder = ScreenshotFolder();
    if (!folder.empty()) SaveScreenshot(folder + u"\\tray-menu.bmp");

    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(PumpUntil([&] { return VisibleMenuOf(quillboard) == nullptr; }));
    EXPECT_TRUE(quillboard.Running());

    QuitThroughTray(quillboard);
}

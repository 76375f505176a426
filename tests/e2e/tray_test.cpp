// The tray window of the real program, driven from outside: its commands,
// the registry value it keeps, the taskbar broadcast and the menu.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/run_value.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/window_checks.h"
#include "win/wide.h"

namespace {

constexpr int kMenuHeightAboveTaskbar = 160;

// Pixels dark enough to be menu text inside a rectangle of the screen.
int DarkPixelsOnScreen(const RECT& area) {
    constexpr BYTE kDarkChannel = 80;
    return ScreenPicture(area).Count(area, [](COLORREF pixel) {
        return GetRValue(pixel) < kDarkChannel && GetGValue(pixel) < kDarkChannel && GetBValue(pixel) < kDarkChannel;
    });
}

// Both the first and the last items of the menu are drawn on the screen (a
// window can be visible a moment before it is painted).
bool MenuPainted(const RECT& bounds) {
    constexpr int kEnoughTextPixels = 20;
    const LONG middle = (bounds.top + bounds.bottom) / 2;
    return DarkPixelsOnScreen({bounds.left, bounds.top, bounds.right, middle}) > kEnoughTextPixels &&
           DarkPixelsOnScreen({bounds.left, middle, bounds.right, bounds.bottom}) > kEnoughTextPixels;
}

}  // namespace

// The commands, then the icon after an Explorer restart: the new taskbar
// has no icon of ours until the program answers its broadcast.
TEST(TrayProgram, CommandsAndTheTaskbarBroadcastReachTheTrayWindow) {
    const RunValueGuard guard;
    DeleteRunValue();
    DataFolder data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }));

    PostMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(PumpUntil([] { return !RunValueText().empty(); }));
    EXPECT_EQ(RunValueText(), Quoted(BesideThisProgram(u"Quillboard.exe")));
    PostMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(PumpUntil([] { return !ReadRunValue().exists; }));

    ASSERT_TRUE(quillboard.Windows(kNoteClass).empty());
    PostMessageW(tray, WM_COMMAND, kNewNoteCommand, 0);
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 1));

    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = tray;
    record.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &record);
    ASSERT_FALSE(TrayIconExists(tray));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }));
    // A second broadcast while the icon is there is harmless.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(tray, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_TRUE(TrayIconExists(tray));

    quillboard.QuitThroughTray();  // exit code 0
    EXPECT_FALSE(IsWindow(tray));
}

TEST(TrayProgram, RightClickOnTheIconShowsTheMenuAndEscapeClosesIt) {
    DataFolder data;
    data.Write(u"langue.txt", "fr");  // the picture in docs/ shows the French menu
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    // The menu opens at the cursor: near the icon's corner, high enough that
    // the menu leaves the taskbar and the icon in sight.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(width - 40, height - kMenuHeightAboveTaskbar);
    RECT bounds{};
    ScriptedUser user(quillboard.Id());
    user.Then([&] {
        const std::vector<HWND> menus = user.OpenMenus();
        if (menus.size() != 1) return false;
        GetWindowRect(menus.front(), &bounds);
        if (!MenuPainted(bounds)) return false;
        SaveScreenshotIfAsked(u"tray-menu");
        PressKeys({VK_ESCAPE});
        return true;
    });
    PostMessageW(tray, kTrayIconMessage, kTrayIconId, WM_RBUTTONUP);
    EXPECT_TRUE(user.WaitUntilDone());

    EXPECT_GT(bounds.bottom - bounds.top, 100);  // six items and three separators
    EXPECT_LE(bounds.right, width);
    EXPECT_LE(bounds.bottom, height);
    EXPECT_TRUE(PumpUntil([&] { return user.OpenMenus().empty(); }));
    EXPECT_TRUE(quillboard.Running());

    quillboard.QuitThroughTray();
}

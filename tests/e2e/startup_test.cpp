// The program's life from outside: start, single instance, the ways it ends.
#include <gtest/gtest.h>

#include "quillboard_process.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr UINT kQuitCommand = 1002;

// The message box a second copy shows, found among that copy's windows.
HWND WaitForMessageBox(const QuillboardProcess& process) {
    return process.WaitForWindow(L"#32770");
}

}  // namespace

TEST(Startup, StartsWithNoDataFolderAndCreatesIt) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    ASSERT_TRUE(quillboard.Started());

    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_EQ(WindowTextOf(tray), u"Quillboard");
    EXPECT_TRUE(FileExists(data.DataPath(u"notes")));
    EXPECT_TRUE(quillboard.Windows(L"QuillboardNote").empty());

    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(quillboard.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(Startup, SecondInstanceIsRefusedWithAMessageAndExitCodeZero) {
    PreparedAppData data;
    QuillboardProcess first(data.AppData());
    HWND tray = first.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    QuillboardProcess second(data.AppData());
    ASSERT_TRUE(second.Started());
    HWND box = WaitForMessageBox(second);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowTextOf(box), u"Quillboard");
    EXPECT_TRUE(second.Windows(kTrayClass).empty());

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(second.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(tray));
    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    ASSERT_TRUE(first.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(Startup, CloseMessageToTheTrayWindowEndsTheProgram) {
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    PostMessageW(tray, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(quillboard.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

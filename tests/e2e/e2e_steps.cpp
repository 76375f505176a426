#include "e2e_steps.h"

#include <gtest/gtest.h>

namespace {
constexpr UINT kQuitCommand = 1002;
}  // namespace

void QuitThroughTray(QuillboardProcess& program) {
    HWND tray = program.WaitForWindow(L"QuillboardTrayWindow");
    ASSERT_NE(tray, nullptr);
    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

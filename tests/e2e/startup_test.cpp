// The program's life from outside: start, single instance, the ways it ends.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/scripted_user.h"

TEST(Startup, StartsWithNoDataFolderAndCreatesItAndACloseMessageToTheTrayWindowEndsIt) {
    DataFolder data;
    QuillboardProcess quillboard(data.AppData());
    ASSERT_TRUE(quillboard.Started());

    HWND tray = quillboard.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_EQ(WindowTextOf(tray), u"Quillboard");
    EXPECT_TRUE(FileExists(data.DataPath(u"notes")));
    EXPECT_TRUE(quillboard.Windows(kNoteClass).empty());

    PostMessageW(tray, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(quillboard.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(Startup, SecondInstanceIsRefusedWithAMessageAndExitCodeZero) {
    DataFolder data;
    data.Write(u"langue.txt", "fr");
    QuillboardProcess first(data.AppData());
    HWND tray = first.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    QuillboardProcess second(data.AppData());
    ASSERT_TRUE(second.Started());
    Seen message;
    {
        ScriptedUser user(second.Id());
        user.AnswerMessageBox(IDOK, &message);
        EXPECT_TRUE(user.WaitUntilDone());
    }
    EXPECT_EQ(message.title, u"Quillboard");
    EXPECT_EQ(message.text, u"Quillboard est déjà en cours d'exécution.");
    EXPECT_TRUE(second.Windows(kTrayClass).empty());
    DWORD exitCode = 1;
    ASSERT_TRUE(second.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(tray));
    first.QuitThroughTray();
}

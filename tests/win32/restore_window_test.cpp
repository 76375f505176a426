// The restore window itself: its lists follow the bin and the backups, and
// a whole day is restored only once its question is answered yes.
#include <gtest/gtest.h>

#include "notes/note_loading.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "notes/restore_window.h"
#include "storage/backups.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/windows_test_support.h"

namespace {

using RestoreWindowTest = DataFolderTest;

int ListCount(HWND window, int listId) {
    return static_cast<int>(SendMessageW(GetDlgItem(window, listId), LB_GETCOUNT, 0, 0));
}

std::string NoteSaying(const char* body) {
    return NoteFileText({.x = 300, .y = 200, .body = body});
}

TEST_F(RestoreWindowTest, AWholeDayComesBackOnlyAfterAYesAndItsUndoIsListed) {
    Data().WriteNote(0xE1, NoteSaying("Monday"));
    ASSERT_TRUE(LoadAllNotes(GetModuleHandleW(nullptr)));
    ASSERT_TRUE(MakeBackupNow({{2025, 3, 31, 10, 0}}));
    Data().WriteNote(0xE1, NoteSaying("Tuesday"));
    Data().WriteNote(0xE2, NoteSaying("new on Tuesday"));
    ReloadNotesFromDataFolder(GetModuleHandleW(nullptr));

    struct Lists {
        int bin = -1;
        int days = -1;
        int dayNotes = -1;
    };
    const auto read = [](HWND window) {
        return Lists{ListCount(window, kRestoreBinListId), ListCount(window, kRestoreDaysListId),
                     ListCount(window, kRestoreDayNotesListId)};
    };
    Lists atOpen;
    Lists afterNo;
    Lists afterYes;
    Seen question;
    ScriptedUser user;
    user.WhenEnabled(kRestoreClass, [&](HWND window) {
        atOpen = read(window);
        PostMessageW(window, WM_COMMAND, kRestoreDayButtonId, 0);
    });
    user.AnswerMessageBox(IDNO, &question);
    user.WhenEnabled(kRestoreClass, [&](HWND window) {
        afterNo = read(window);
        PostMessageW(window, WM_COMMAND, kRestoreDayButtonId, 0);
    });
    user.AnswerMessageBox(IDYES);
    user.WhenEnabled(kRestoreClass, [&](HWND window) {
        afterYes = read(window);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    RunRestoreWindow(nullptr);
    EXPECT_EQ(user.StepsLeft(), 0u);

    EXPECT_EQ(atOpen.bin, 0);
    EXPECT_EQ(atOpen.days, 1);
    EXPECT_EQ(atOpen.dayNotes, 1);
    EXPECT_NE(question.text.find(u"31/03/2025 10:00"), std::u16string::npos);  // which day, in the question
    EXPECT_EQ(question.defaultButton, IDNO);
    EXPECT_EQ(afterNo.days, 1);  // a no changes nothing
    EXPECT_EQ(afterYes.days, 2);  // the notes of before the restore, listed first
    EXPECT_EQ(afterYes.bin, 1);   // the note the day did not hold
    EXPECT_EQ(Data().ReadNote(0xE1), NoteSaying("Monday"));
    EXPECT_FALSE(FileExists(Data().NotePath(0xE2)));
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 1u);
    const std::vector<Backup> backups = ListBackups();
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_TRUE(backups.front().name.beforeRestore);
    EXPECT_EQ(NoteFileCount(backups.front().files), 2);
}

}  // namespace

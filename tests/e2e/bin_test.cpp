// The real program: a note deleted through its cross goes into the bin, and
// the restore window opened from the tray brings it back where it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kCrossX = 240 - 12;  // the delete cross, in the header of a note 240 wide
constexpr int kCrossY = 15;

// A message box of the program, shown and ready for an answer.
HWND WaitForQuestion(const QuillboardProcess& program) {
    return program.WaitForWindow(kDialogClass);
}

int ListCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

// The day's backup the program made at start, once it is whole.
bool HasBackup(const DataFolder& data) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(data.BackupsPath(u"*")), &found));
    if (!search) return false;
    do {
        const std::u16string name = FromWide(found.cFileName);
        if (!name.ends_with(u".tmp") && FileExists(data.BackupsPath(name + u"\\manifeste.txt"))) return true;
    } while (FindNextFileW(search.Get(), &found));
    return false;
}

// The bin's name of note 0xD0 deleted early today, well within its 30 days.
std::u16string DeletedEarlyToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char name[64] = {};
    std::snprintf(name, sizeof(name), "note_00000000000000D0_%04u%02u%02u-0001.txt", now.wYear, now.wMonth, now.wDay);
    return std::u16string(name, name + std::strlen(name));
}

TEST(BinProgram, ANoteDeletedThroughItsCrossComesBackFromTheRestoreWindow) {
    for (const char* language : {"fr", "en"}) {
        SCOPED_TRACE(language);
        DataFolder data;
        data.Write(u"langue.txt", language);
        const std::string stored = NoteFileText({.x = 900, .y = 300, .colour = "AFF0CD", .body = "Call Anna\r\nabout the trip"});
        data.WriteNote(0xD1, stored);
        data.WriteNote(0xD2, NoteFileText({.x = 1200, .y = 300, .body = "Shopping"}));
        // Deleted before: a note still in the bin.
        data.Write(u"corbeille\\" + DeletedEarlyToday(), NoteFileText({.body = "Old ideas"}));
        QuillboardProcess program(data.AppData());
        ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));
        HWND tray = program.WaitForWindow(kTrayClass);
        ASSERT_NE(tray, nullptr);
        ASSERT_TRUE(PumpUntil([&data] { return HasBackup(data); }, std::chrono::milliseconds(10000)));

        HWND note = nullptr;
        for (HWND window : program.Windows(kNoteClass)) {
            if (WindowRect(window).left == 900) note = window;
        }
        ASSERT_NE(note, nullptr);
        PostMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kCrossX, kCrossY));
        PostMessageW(note, WM_LBUTTONUP, 0, MAKELPARAM(kCrossX, kCrossY));
        HWND question = WaitForQuestion(program);
        ASSERT_NE(question, nullptr);
        PostMessageW(question, WM_COMMAND, IDYES, 0);
        ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 1));
        EXPECT_FALSE(FileExists(data.NotePath(0xD1)));
        EXPECT_EQ(FilesIn(data.DataPath(u"corbeille")).size(), 2u);

        PostMessageW(tray, WM_COMMAND, kRestoreCommand, 0);
        HWND restore = program.WaitForWindow(kRestoreClass);
        ASSERT_NE(restore, nullptr);
        HWND bin = GetDlgItem(restore, kRestoreBinList);
        ASSERT_EQ(ListCount(bin), 2);
        EXPECT_EQ(ListCount(GetDlgItem(restore, kRestoreDaysList)), 1);
        EXPECT_EQ(ListCount(GetDlgItem(restore, kRestoreDayNotesList)), 2);
        SaveScreenshotIfAsked(std::u16string(u"restore-window-") + (language[0] == 'f' ? u"fr" : u"en"), restore);

        // The most recently deleted comes first.
        SendMessageW(bin, LB_SETCURSEL, 0, 0);
        PostMessageW(restore, WM_COMMAND, kRestoreBinButton, 0);
        ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 2));
        EXPECT_TRUE(PumpUntil([&] { return ListCount(bin) == 1; }));
        EXPECT_EQ(data.ReadNote(0xD1), stored);
        bool backWhereItWas = false;
        for (HWND window : program.Windows(kNoteClass)) {
            backWhereItWas = backWhereItWas || WindowRect(window) == Rect{900, 300, 1140, 500};
        }
        EXPECT_TRUE(backWhereItWas);

        PostMessageW(restore, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForWindowCount(kRestoreClass, 0));
        program.QuitThroughTray();
        EXPECT_EQ(data.ReadNote(0xD1), stored);
    }
}

}  // namespace

// The day's backups: when one is made, where, how they rotate, that a copy
// cut short never passes for one, and restoring from them.
#include <gtest/gtest.h>

#include "app/daily_backup.h"
#include "app/program_state.h"
#include "notes/note_loading.h"
#include "notes/note_restore.h"
#include "notes/note_save.h"
#include "notes/note_sync.h"
#include "notes/note_window_state.h"
#include "storage/backups.h"
#include "storage/data_directory.h"
#include "storage/folder_tree.h"
#include "storage/note_bin.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr Moment kMonday{2025, 3, 31, 10, 0};

// A few days after a day of March or April 2025.
Moment DaysAfter(Moment moment, int days) {
    constexpr int kDaysInMarch = 31;
    moment.day += days;
    if (moment.month == 3 && moment.day > kDaysInMarch) {
        moment.month = 4;
        moment.day -= kDaysInMarch;
    }
    return moment;
}

std::vector<std::u16string> BackupFolders(const DataFolder& data) {
    std::vector<std::u16string> names;
    for (const Backup& backup : ListBackups()) names.push_back(backup.folder.substr(data.BackupsPath().size() + 1));
    return names;
}

// The window the day's backup posts its steps to, as the tray window does.
LRESULT CALLBACK StepWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_BACKUP_STEP) {
        ContinueDailyBackup(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class Backups : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = StepWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BackupStepsTest";
        RegisterClassW(&windowClass);
        stepWindow_.reset(CreateWindowW(L"BackupStepsTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    }

    // A look at the backups as the program takes it once a day, waited on
    // until the backup it started (if any) is written.
    void LookOnce(const Moment& now) {
        LookAtBackupsOncePerDay(stepWindow_.get(), now);
        EXPECT_TRUE(PumpUntil([] { return !CurrentAppShellState().backupJob; }));
    }

    // A new start of the program: the day is looked at again.
    void Restart() { State().app.backupLookDay = -1; }

private:
    struct WindowDestroyer {
        void operator()(HWND window) const { DestroyWindow(window); }
    };
    std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer> stepWindow_;
};

TEST_F(Backups, OneADayAndOnlyAfterAChange) {
    Data().WriteNote(0xC1, NoteFileText({.body = "first"}));
    const struct {
        const char* what;
        Moment now;
        bool restart;
        const char* changeBefore;  // a note's new text, or none
        std::vector<std::u16string> folders;
    } steps[] = {
        {"the first start makes one", kMonday, false, nullptr, {u"20250331-1000"}},
        {"the same day, even after a change: none", DaysAfter(kMonday, 0), true, "changed", {u"20250331-1000"}},
        {"the next day, after that change", DaysAfter(kMonday, 1), false, nullptr,
         {u"20250401-1000", u"20250331-1000"}},
        {"the day after, nothing changed: none", DaysAfter(kMonday, 2), false, nullptr,
         {u"20250401-1000", u"20250331-1000"}},
        {"a change, and a new start that day", DaysAfter(kMonday, 3), true, "again",
         {u"20250403-1000", u"20250401-1000", u"20250331-1000"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.changeBefore) Data().WriteNote(0xC1, NoteFileText({.body = step.changeBefore}));
        if (step.restart) Restart();
        LookOnce(step.now);
        EXPECT_EQ(BackupFolders(Data()), step.folders);
    }
    EXPECT_EQ(ReadRawFile(Data().BackupsPath(u"20250403-1000\\notes\\note_00000000000000C1.txt")),
              NoteFileText({.body = "again"}));
}

TEST_F(Backups, GoToTheMachinesOwnFolderWhateverFolderTheNotesLiveIn) {
    TemporaryFolder synced;
    State().storage.dataFolder = synced.Path() + u"\\Notes";
    EnsureDataFolders();
    WriteRawFile(synced.Path() + u"\\Notes\\notes\\note_00000000000000C2.txt", NoteFileText({.body = "synced"}));
    ASSERT_TRUE(MakeBackupNow({kMonday}));

    EXPECT_EQ(ReadRawFile(Data().BackupsPath(u"20250331-1000\\notes\\note_00000000000000C2.txt")),
              NoteFileText({.body = "synced"}));
    const std::vector<DataFile> inSynced = FilesUnder(synced.Path());
    EXPECT_TRUE(std::none_of(inSynced.begin(), inSynced.end(),
                             [](const DataFile& file) { return file.path.find(u"sauvegardes") != std::u16string::npos; }));
    EXPECT_TRUE(SubfolderNames(synced.Path() + u"\\Notes").size() <= 2u);  // notes and lang, nothing else
}

TEST_F(Backups, TheRotationKeepsSevenDaysAndFourWeeksAndClearsWhatACrashLeft) {
    Data().WriteNote(0xC3, NoteFileText({.body = "kept"}));
    // A backup every day from Monday 3 to Sunday 30 March 2025.
    for (int day = 3; day <= 30; ++day) ASSERT_TRUE(MakeBackupNow({{2025, 3, day, 10, 0}}));
    CreateDirectoryW(Wide(Data().BackupsPath(u"20250330-1100.tmp")), nullptr);  // a copy a kill cut short
    const std::vector<Backup> kept = RotateBackups();
    EXPECT_EQ(kept.size(), 10u);
    EXPECT_EQ(BackupFolders(Data()), (std::vector<std::u16string>{u"20250330-1000", u"20250329-1000", u"20250328-1000",
                                                                  u"20250327-1000", u"20250326-1000", u"20250325-1000",
                                                                  u"20250324-1000", u"20250323-1000", u"20250316-1000",
                                                                  u"20250309-1000"}));
    EXPECT_FALSE(FileExists(Data().BackupsPath(u"20250330-1100.tmp")));
}

TEST_F(Backups, ACopyCutShortIsNeverListed) {
    Data().WriteNote(0xC4, NoteFileText({.body = "a note"}));
    Data().WriteNote(0xC5, NoteFileText({.body = "another"}));
    {
        // A file that cannot be read midway (held by another program, as a
        // full disk refuses a write): no backup, and nothing left behind.
        HeldFile held(Data().NotePath(0xC5));
        ASSERT_TRUE(held.Held());
        EXPECT_FALSE(MakeBackupNow({kMonday}));
        EXPECT_TRUE(ListBackups().empty());
        EXPECT_TRUE(SubfolderNames(Data().BackupsPath()).empty());
    }
    ASSERT_TRUE(MakeBackupNow({kMonday}));
    ASSERT_EQ(ListBackups().size(), 1u);

    // What a kill or a full disk leaves: a partial folder with every file,
    // a manifest cut short, or a file shorter than the manifest says.
    const std::u16string whole = Data().BackupsPath(u"20250331-1000");
    for (const char16_t* name : {u"20250401-1000.tmp", u"20250402-1000", u"20250403-1000"}) {
        const std::u16string copy = Data().BackupsPath(name);
        for (const DataFile& file : FilesUnder(whole)) {
            WriteRawFile(copy + u"\\" + file.path, ReadRawFile(whole + u"\\" + file.path));
        }
    }
    const std::string manifest = ReadRawFile(whole + u"\\manifeste.txt");
    WriteRawFile(Data().BackupsPath(u"20250402-1000\\manifeste.txt"), manifest.substr(0, manifest.find("FIN|")));
    WriteRawFile(Data().BackupsPath(u"20250403-1000\\notes\\note_00000000000000C5.txt"), "cut");
    EXPECT_EQ(BackupFolders(Data()), (std::vector<std::u16string>{u"20250331-1000"}));
}

TEST_F(Backups, OneNoteOfADayComesBackBesideTheCurrentOnes) {
    HWND note = MakeNote({.id = 0xC6, .x = 300, .y = 200, .text = u"as it was"});
    SaveNote(note);
    ASSERT_TRUE(MakeBackupNow({kMonday}));
    SetWindowTextW(NoteEditOf(note), L"as it is");
    SaveNote(note);
    const std::string current = SavedFile(note);

    ASSERT_TRUE(RestoreNoteFromBackup(ListBackups().front(), u"notes\\note_00000000000000C6.txt"));
    std::vector<HWND> notes = WindowsOfClass(kNoteClass);
    ASSERT_EQ(notes.size(), 2u);
    HWND restored = notes[0] == note ? notes[1] : notes[0];
    EXPECT_EQ(NoteText(restored), u"as it was");
    EXPECT_NE(NoteFromWindow(restored)->id, 0xC6u);
    EXPECT_EQ(WindowRect(restored), (Rect{332, 232, 572, 432}));  // beside the note it was
    EXPECT_EQ(SavedFile(note), current);
    EXPECT_EQ(SavedFile(restored), NoteFileText({.x = 332, .y = 232, .body = "as it was"}));
}

std::string NoteBody(const char* body) {
    return NoteFileText({.x = 300, .y = 200, .body = body});
}

std::vector<std::u16string> NoteFiles(const DataFolder& data) {
    return FilesIn(data.DataPath(u"notes"), L"note_*.txt");
}

TEST_F(Backups, AWholeDayTakesThePlaceOfTheNotesAndTheRestoreCanBeUndone) {
    Data().WriteNote(0xA, NoteBody("a, Monday"));
    Data().WriteNote(0xB, NoteBody("b, Monday"));
    Data().Write(u"categories.txt", "NEXTID|2\r\nCAT|1|FF0000|Work\r\n");
    LoadAllNotes(GetModuleHandleW(nullptr));
    ASSERT_TRUE(MakeBackupNow({kMonday}));
    // Tuesday: a changed, b deleted, c new, and the categories changed.
    Data().WriteNote(0xA, NoteBody("a, Tuesday"));
    Data().WriteNote(0xC, NoteBody("c, Tuesday"));
    DeleteFileW(Wide(Data().NotePath(0xB)));
    Data().Write(u"categories.txt", "NEXTID|3\r\nCAT|2|00FF00|Home\r\n");
    ScanDataFolder();  // the program sees Tuesday as it is

    const Moment tuesday = DaysAfter(kMonday, 1);
    ASSERT_EQ(RestoreWholeBackup(ListBackups().front(), tuesday), WholeRestore::Done);
    EXPECT_EQ(Data().ReadNote(0xA), NoteBody("a, Monday"));
    EXPECT_EQ(Data().ReadNote(0xB), NoteBody("b, Monday"));
    EXPECT_FALSE(FileExists(Data().NotePath(0xC)));
    EXPECT_EQ(Data().Read(u"categories.txt"), "NEXTID|2\r\nCAT|1|FF0000|Work\r\n");
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
    EXPECT_EQ(ListBin().size(), 1u);  // c, one by one too

    // The undo: the backup made just before, of Tuesday's notes.
    const std::vector<Backup> backups = ListBackups();
    ASSERT_EQ(backups.size(), 2u);
    ASSERT_TRUE(backups.front().name.beforeRestore);
    ASSERT_EQ(RestoreWholeBackup(backups.front(), tuesday), WholeRestore::Done);
    EXPECT_EQ(Data().ReadNote(0xA), NoteBody("a, Tuesday"));
    EXPECT_EQ(Data().ReadNote(0xC), NoteBody("c, Tuesday"));
    EXPECT_FALSE(FileExists(Data().NotePath(0xB)));
    EXPECT_EQ(Data().Read(u"categories.txt"), "NEXTID|3\r\nCAT|2|00FF00|Home\r\n");
    EXPECT_EQ(NoteFiles(Data()).size(), 2u);
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
}

}  // namespace

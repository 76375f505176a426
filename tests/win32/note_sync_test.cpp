// The notes folder changed by someone else while the program runs (a sync
// service, an editor, another machine): files written straight into the
// test's data folder, then the folder looked at as its watch would.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "notes/note_passes.h"
#include "notes/note_save.h"
#include "notes/note_sync.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/text_files.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr std::uint64_t kNoteId = 0x5C;

class NoteSync : public DataFolderTest {
protected:
    // A note stored and loaded as at start, so that the program knows its file.
    HWND StoredNote(const std::string& text) {
        Data().WriteNote(kNoteId, NoteFileText({.x = 300, .y = 200, .body = text}));
        return LoadTheOnlyNote();
    }
    void WriteOutside(const std::string& text, std::uint64_t id = kNoteId, const std::string& colour = "FFF6A0") {
        Data().WriteNote(id, NoteFileText({.x = 300, .y = 200, .colour = colour, .body = text}));
    }
    std::vector<std::u16string> NoteTexts() {
        std::vector<std::u16string> texts;
        for (HWND note : WindowsOfClass(kNoteClass)) {
            if (IsWindowVisible(note)) texts.push_back(NoteText(note));
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    static void Type(HWND note, const wchar_t* text) { SetWindowTextW(NoteEditOf(note), text); }
};

TEST_F(NoteSync, AChangedFileShowsInItsNoteWhenTheNoteHasNothingOfItsOwn) {
    HWND note = StoredNote("first");
    WriteOutside("from the other machine");
    ScanDataFolder();
    EXPECT_EQ(NoteText(note), u"from the other machine");
    EXPECT_EQ(NoteTexts().size(), 1u);
    // Shown, not written back: the file is exactly what the other side wrote.
    EXPECT_EQ(Data().ReadNote(kNoteId), NoteFileText({.x = 300, .y = 200, .body = "from the other machine"}));
}

TEST_F(NoteSync, TypingNotYetSavedAndAnOutsideChangeAreBothKeptAsTwoNotes) {
    HWND note = StoredNote("first");
    Type(note, L"typed here");
    WriteOutside("written there, longer");
    SaveNote(note);  // the focus leaves: the file is not the one this program knows

    EXPECT_EQ(Data().ReadNote(kNoteId), NoteFileText({.x = 300, .y = 200, .body = "written there, longer"}));
    EXPECT_EQ(NoteText(note), u"written there, longer");
    EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"typed here", u"written there, longer"}));
    HWND clash = nullptr;
    for (HWND window : WindowsOfClass(kNoteClass)) {
        if (window != note) clash = window;
    }
    ASSERT_NE(clash, nullptr);
    EXPECT_TRUE(NoteFromWindow(clash)->clash);
    EXPECT_EQ(WindowRect(clash).left, WindowRect(note).right + 8);  // beside it
    PumpPending();  // both painted, as the message loop would
    SaveScreenshotIfAsked(u"clash-notes");
    const std::string clashFile = SavedFile(clash);
    EXPECT_NE(clashFile.find("CLASH=1\r\n"), std::string::npos) << clashFile;
    EXPECT_NE(clashFile.find("typed here"), std::string::npos);

    ResolveClash(clash);
    EXPECT_EQ(SavedFile(clash).find("CLASH="), std::string::npos);
}

TEST_F(NoteSync, ANewFileGetsANoteAndARemovedOneClosesItsNoteUnlessItHoldsTyping) {
    HWND kept = StoredNote("kept");
    WriteOutside("made elsewhere", 0x77);
    ScanDataFolder();
    EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"kept", u"made elsewhere"}));

    DeleteFileW(Wide(Data().NotePath(0x77)));
    ScanDataFolder();
    PumpPending();
    EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"kept"}));

    // Typing in a note whose file went: the note stays, under a file of its own.
    Type(kept, L"kept, and typed");
    DeleteFileW(Wide(Data().NotePath(kNoteId)));
    ScanDataFolder();
    PumpPending();
    ASSERT_TRUE(IsWindow(kept));
    EXPECT_NE(NoteFromWindow(kept)->id, kNoteId);
    EXPECT_NE(SavedFile(kept).find("kept, and typed"), std::string::npos);
    EXPECT_FALSE(FileExists(Data().NotePath(kNoteId)));
}

TEST_F(NoteSync, ASyncServicesClashCopyBecomesAClashNoteOfItsOwnAndGoes) {
    StoredNote("ours");
    const std::u16string copy = DataPath(u"notes\\note_000000000000005C.sync-conflict-20261209-101500-ABCDEFG.txt");
    WriteRawFile(copy, NoteFileText({.x = 300, .y = 200, .body = "theirs"}));
    ScanDataFolder();
    EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"ours", u"theirs"}));
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(FilesIn(DataPath(u"notes")).size(), 2u);
    for (HWND note : WindowsOfClass(kNoteClass)) {
        EXPECT_EQ(NoteFromWindow(note)->clash, NoteText(note) == u"theirs");
    }
}

TEST_F(NoteSync, TheProgramsOwnSavesAreNotOutsideChangesAndAnUnchangedNoteWritesNothing) {
    HWND note = StoredNote("first");
    Type(note, L"second");
    SaveNote(note);
    ScanDataFolder();
    EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"second"}));

    // Saved again unchanged: the file is not even rewritten.
    const FileVersion before = FileVersionOf(Data().NotePath(kNoteId));
    SaveAllNotes();
    EXPECT_EQ(FileVersionOf(Data().NotePath(kNoteId)), before);
}

TEST_F(NoteSync, CategoriesChangedOutsideAreTakenAndAClashCopyIsMerged) {
    Data().Write(u"categories.txt", "NEXTID|2\r\nCAT|1|0000FF|Travail\r\n");
    ASSERT_EQ(LoadCategories(), CategoriesFileState::Read);
    Data().WriteNote(kNoteId, NoteFileText({.colour = "00FF00", .category = 1, .body = "filed"}));
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);
    RefreshNotesAfterCategoryChange();

    // The other machine recoloured "Travail": the note follows.
    Data().Write(u"categories.txt", "NEXTID|2\r\nCAT|1|00FF00|Travail\r\n");
    ScanDataFolder();
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x0000FF00u);

    // Both machines gave id 2 to a new category; theirs is kept as a clash copy.
    Data().Write(u"categories.txt", "NEXTID|3\r\nCAT|1|00FF00|Travail\r\nCAT|2|FF0000|Maison\r\n");
    ScanDataFolder();
    Data().Write(u"categories.sync-conflict-20261209-101500-ABCDEFG.txt",
                 "NEXTID|3\r\nCAT|1|00FF00|Travail\r\nCAT|2|0000FF|Sport\r\n");
    ScanDataFolder();
    EXPECT_FALSE(FileExists(DataPath(u"categories.sync-conflict-20261209-101500-ABCDEFG.txt")));
    EXPECT_EQ(Data().Read(u"categories.txt"),
              "NEXTID|4\r\nCAT|1|00FF00|Travail\r\nCAT|2|FF0000|Maison\r\nCAT|3|0000FF|Sport\r\n");
}

}  // namespace

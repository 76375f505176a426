// The bin of deleted notes: what goes in, what comes back, and when it goes
// for good.
#include <gtest/gtest.h>

#include "notes/note_removal.h"
#include "notes/note_restore.h"
#include "notes/note_save.h"
#include "notes/note_sync.h"
#include "notes/note_window_state.h"
#include "storage/core/bin_rules.h"
#include "storage/note_bin.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

using Bin = DataFolderTest;

HWND NoteWithId(std::uint64_t id) {
    for (HWND window : WindowsOfClass(kNoteClass)) {
        if (const Note* note = NoteFromWindow(window); note && note->id == id) return window;
    }
    return nullptr;
}

TEST_F(Bin, ADeletedNoteGoesToTheBinAndComesBackByteForByteWhereItWas) {
    HWND note = MakeNote({.id = 0xB1, .x = 300, .y = 200, .text = u"Shopping\r\nbread"});
    SaveNote(note);
    const std::string saved = SavedFile(note);
    ScriptedUser user;
    user.AnswerMessageBox(IDYES);
    DeleteNote(note);
    ASSERT_FALSE(IsWindow(note));
    EXPECT_FALSE(FileExists(Data().NotePath(0xB1)));

    const std::vector<BinItem> bin = ListBin();
    ASSERT_EQ(bin.size(), 1u);
    EXPECT_EQ(bin[0].name.noteId, 0xB1u);
    EXPECT_EQ(bin[0].fields.body, u"Shopping\r\nbread");
    EXPECT_EQ(Data().Read(u"corbeille\\" + bin[0].fileName), saved);

    ASSERT_TRUE(RestoreFromBin(bin[0].fileName));
    EXPECT_EQ(Data().ReadNote(0xB1), saved);
    HWND back = NoteWithId(0xB1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(WindowRect(back), (Rect{300, 200, 540, 400}));
    EXPECT_EQ(NoteText(back), u"Shopping\r\nbread");
    EXPECT_TRUE(ListBin().empty());
}

TEST_F(Bin, TheBinKeepsTheLastTextOfANoteButNothingOfANoteThatNeverHeldAny) {
    const struct {
        const char* what;
        std::u16string savedText;  // empty: never saved
        std::vector<NoteEntry> entries;
        std::u16string binnedBody;  // empty: nothing in the bin
    } cases[] = {
        {"never saved", u"", {}, u""},
        {"text erased, then the focus left", u"call the bank", {}, u"call the bank"},
        {"a file of white space only", u" \r\n ", {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND note = MakeNote({.id = 0xB2, .x = 300, .y = 200});
        if (!c.savedText.empty()) {
            SetWindowTextW(NoteEditOf(note), Wide(c.savedText));
            NoteFromWindow(note)->dock = kDockLeft;  // a docked blank note keeps its file
            SaveNote(note);
            NoteFromWindow(note)->dock = kDockNone;
            ASSERT_TRUE(FileExists(Data().NotePath(0xB2)));
        }
        SetWindowTextW(NoteEditOf(note), L"");
        SaveNote(note);  // as when the focus leaves the erased note
        EXPECT_FALSE(FileExists(Data().NotePath(0xB2)));
        const std::vector<BinItem> bin = ListBin();
        ASSERT_EQ(bin.size(), c.binnedBody.empty() ? 0u : 1u);
        if (!bin.empty()) {
            EXPECT_EQ(bin[0].fields.body, c.binnedBody);
        }
        DestroyWindow(note);
        DeleteTree(Data().DataPath(u"corbeille"));
    }
}

TEST_F(Bin, ANoteDeletedTwiceInAMinuteKeepsBothVersionsAndComesBackBesideAShownOne) {
    for (const char16_t* text : {u"first", u"second"}) {
        HWND note = MakeNote({.id = 0xB3, .text = text});
        SaveNote(note);
        ScriptedUser user;
        user.AnswerMessageBox(IDYES);
        DeleteNote(note);
    }
    const std::vector<BinItem> bin = ListBin();
    ASSERT_EQ(bin.size(), 2u);
    EXPECT_EQ(bin[0].fields.body, u"second");  // the most recent first
    EXPECT_EQ(bin[1].fields.body, u"first");

    ASSERT_TRUE(RestoreFromBin(bin[0].fileName));
    ASSERT_TRUE(RestoreFromBin(bin[1].fileName));  // its id is taken now: a new one
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
    EXPECT_EQ(NoteText(NoteWithId(0xB3)), u"second");
    EXPECT_EQ(FilesIn(Data().DataPath(u"notes"), L"note_*.txt").size(), 2u);
}

// The folder's look that follows every change must take neither the move
// into the bin for an outside deletion nor the file back for a new note.
TEST_F(Bin, TheFoldersLookTakesNeitherTheMoveNorTheReturnForAnOutsideChange) {
    HWND kept = MakeNote({.id = 0xB5, .text = u"stays"});
    HWND note = MakeNote({.id = 0xB6, .x = 400, .y = 250, .text = u"comes back"});
    SaveNote(kept);
    SaveNote(note);
    ScriptedUser user;
    user.AnswerMessageBox(IDYES);
    DeleteNote(note);
    ScanDataFolder();
    EXPECT_EQ(WindowsOfClass(kNoteClass), std::vector<HWND>{kept});

    const std::vector<BinItem> bin = ListBin();
    ASSERT_EQ(bin.size(), 1u);
    ASSERT_TRUE(RestoreFromBin(bin[0].fileName));
    ScanDataFolder();
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
    ASSERT_NE(NoteWithId(0xB6), nullptr);
    EXPECT_EQ(NoteText(NoteWithId(0xB6)), u"comes back");
    EXPECT_EQ(FilesIn(Data().DataPath(u"notes"), L"note_*.txt").size(), 2u);
}

TEST_F(Bin, NotesLeaveTheBinForGoodAfterThirtyDays) {
    const std::string file = NoteFileText({.body = "old"});
    const Moment now{2025, 4, 29, 14, 5};
    const struct {
        Moment deleted;
        bool kept;
    } cases[] = {
        {{2025, 3, 30, 14, 5}, false},  // 30 days ago to the minute
        {{2025, 3, 30, 14, 6}, true},
        {{2025, 1, 1, 0, 0}, false},
        {{2025, 4, 29, 14, 0}, true},
    };
    for (const auto& c : cases) Data().Write(u"corbeille\\" + BinFileName({0xB4, c.deleted, 1}), file);
    Data().Write(u"corbeille\\readme.txt", "not ours");
    RemoveExpiredBinFiles(now);
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(Data().DataPath(u"corbeille\\" + BinFileName({0xB4, c.deleted, 1}))), c.kept)
            << c.deleted.month << "-" << c.deleted.day;
    }
    EXPECT_TRUE(FileExists(Data().DataPath(u"corbeille\\readme.txt")));
}

}  // namespace

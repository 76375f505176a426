// The folder the notes live in, on real files: the pointer that names a
// chosen folder, and moving the notes there.
#include <functional>
#include <map>
#include <string>

#include "app/startup.h"
#include "notes/note_loading.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "settings/language_choice.h"
#include "storage/data_directory.h"
#include "storage/data_folder_choice.h"
#include "storage/data_folder_move.h"
#include "storage/text_files.h"
#include "support/note_file_text.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

using Tree = std::map<std::u16string, std::string>;  // path inside the folder -> bytes ("<folder>" for a folder)

void AddTree(const std::u16string& root, const std::u16string& inside, Tree& tree) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(root + u"\\" + inside + u"*"), &found));
    if (!search) return;
    do {
        const std::u16string name = FromWide(found.cFileName);
        if (name == u"." || name == u"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[inside + name] = "<folder>";
            AddTree(root, inside + name + u"\\", tree);
        } else {
            tree[inside + name] = ReadRawFile(root + u"\\" + inside + name);
        }
    } while (FindNextFileW(search.Get(), &found));
}

// Every file and folder under `root`, with its bytes.
Tree TreeOf(const std::u16string& root) {
    Tree tree;
    AddTree(root, u"", tree);
    return tree;
}

const std::string kNoteA = NoteFileText({.body = "first"});
const std::string kNoteB = NoteFileText({.x = 300, .body = "second"});

class DataFolderChoice : public DataFolderTest {
protected:
    // A folder outside APPDATA, as a sync service's would be.
    std::u16string Elsewhere(const std::u16string& name = u"Synchronisé") const {
        return elsewhere_.Path() + u"\\" + name;
    }

    void WritePointer(const std::string& bytes) const { WriteRawFile(DataPath(u"dossier.txt"), bytes); }

    // The notes' files and the machine's own, as the program leaves them.
    void WriteTheNotes() const {
        Data().WriteNote(0xA, kNoteA);
        Data().WriteNote(0xB, kNoteB);
        Data().Write(u"notes\\note_000000000000000B.txt.original", std::string("\xFF\xFE" "b\0", 4));
        Data().Write(u"notes\\note_000000000000000C.txt.tmp", "half a save");
        Data().Write(u"categories.txt", "1|Travail|A0C8F0\r\n");
        Data().Write(u"lang\\lang_de.txt", "LANG_NAME=Deutsch\r\nQuitter=Beenden\r\n");
        Data().Write(u"corbeille\\note_000000000000000D_20250330-1405.txt", "deleted");
        Data().Write(u"langue.txt", "fr");
        Data().Write(u"son.txt", "ENABLED=1\r\nVOLUME=40\r\nPATH=C:\\sons\\ding.wav\r\n");
        Data().Write(u"shortcuts.txt", "1|3|78\r\n");
    }

private:
    TemporaryFolder elsewhere_;
};

TEST_F(DataFolderChoice, WithoutAPointerTheNotesStayInTheMachinesFolder) {
    EXPECT_EQ(ReadDataFolderChoice().state, StartFolderState::Default);
    EXPECT_EQ(DataDirectory(), DataPath());
    EXPECT_EQ(MachineDirectory(), DataPath());
    EXPECT_EQ(NotesDirectory(), DataPath(u"notes"));
}

TEST_F(DataFolderChoice, APointerIsReadOnceAndTakesOnlyTheNotesElsewhere) {
    const std::u16string chosen = Elsewhere();
    CreateDirectoryW(Wide(chosen), nullptr);
    const struct {
        std::string pointer;  // bytes of "dossier.txt"; empty: no file
        StartFolderState state;
        std::u16string folder;
    } cases[] = {
        {"", StartFolderState::Default, DataPath()},
        {"\xEF\xBB\xBF" + EncodeUtf8(chosen) + "\\\r\n", StartFolderState::Chosen, chosen},
        {EncodeUtf8(Elsewhere(u"not there")), StartFolderState::Missing, Elsewhere(u"not there")},
        {"Quillboard", StartFolderState::Missing, u"Quillboard"},  // relative: names no folder of its own
        {" \r\n", StartFolderState::Default, DataPath()},
    };
    for (const auto& c : cases) {
        DeleteFileW(Wide(DataPath(u"dossier.txt")));
        if (!c.pointer.empty()) WritePointer(c.pointer);
        EXPECT_EQ(ReadDataFolderChoice().state, c.state) << c.pointer;
        EXPECT_EQ(DataDirectory(), c.folder) << c.pointer;
    }

    // Read once: the pointer gone, the run keeps its folder.
    WritePointer(EncodeUtf8(chosen));
    ASSERT_EQ(ReadDataFolderChoice().state, StartFolderState::Chosen);
    DeleteFileW(Wide(DataPath(u"dossier.txt")));
    EXPECT_EQ(NotesDirectory(), chosen + u"\\notes");
    EXPECT_EQ(LanguageFilePath(u"de"), chosen + u"\\lang\\lang_de.txt");
    EXPECT_EQ(MachineFilePath(u"langue.txt"), DataPath(u"langue.txt"));
    EXPECT_TRUE(SaveLanguageChoice());
    EXPECT_EQ(Data().Read(u"langue.txt"), "fr");
    EXPECT_FALSE(FileExists(chosen + u"\\langue.txt"));

    // A pointer that cannot be read is no reason to fall back on the machine's folder.
    WritePointer(EncodeUtf8(chosen));
    const HeldFile held(DataPath(u"dossier.txt"));
    EXPECT_EQ(ReadDataFolderChoice().state, StartFolderState::PointerUnreadable);
}

TEST_F(DataFolderChoice, MovingCopiesAndChecksEveryFileOfTheNotesThenSwitchesAndLeavesTheOldFolderAsItWas) {
    WriteTheNotes();
    ASSERT_TRUE(LoadAllNotes(GetModuleHandleW(nullptr)));
    const std::u16string chosen = Elsewhere();
    CreateDirectoryW(Wide(chosen), nullptr);
    WriteRawFile(chosen + u"\\a file of the user's.txt", "theirs");
    const Tree before = TreeOf(DataPath());

    const MoveResult result = MoveDataFolder(chosen + u"\\");
    ASSERT_EQ(result.outcome, MoveOutcome::Moved) << static_cast<int>(result.problem);

    const Tree expected{
        {u"a file of the user's.txt", "theirs"},
        {u"categories.txt", "1|Travail|A0C8F0\r\n"},
        {u"corbeille", "<folder>"},
        {u"corbeille\\note_000000000000000D_20250330-1405.txt", "deleted"},  // the bin goes with the notes
        {u"lang", "<folder>"},
        {u"lang\\lang_de.txt", "LANG_NAME=Deutsch\r\nQuitter=Beenden\r\n"},
        {u"notes", "<folder>"},
        {u"notes\\note_000000000000000A.txt", kNoteA},
        {u"notes\\note_000000000000000B.txt", kNoteB},
        {u"notes\\note_000000000000000B.txt.original", std::string("\xFF\xFE" "b\0", 4)},
    };
    EXPECT_EQ(TreeOf(chosen), expected);
    Tree old = before;
    old[u"dossier.txt"] = EncodeUtf8(chosen);  // the one file the move writes there, the machine's own
    EXPECT_EQ(TreeOf(DataPath()), old);
    EXPECT_EQ(DataDirectory(), chosen);

    // The notes on the screen are the same notes; they now save to the new place.
    for (HWND window : WindowsOfClass(L"QuillboardNote")) {
        SetWindowTextW(NoteEditOf(window), L"changed");
        SaveNote(window);
    }
    EXPECT_EQ(ReadRawFile(chosen + u"\\notes\\note_000000000000000A.txt"), NoteFileText({.body = "changed"}));
    EXPECT_EQ(Data().ReadNote(0xA), kNoteA);

    // The next start reads the same folder.
    EXPECT_EQ(ReadDataFolderChoice().state, StartFolderState::Chosen);
    EXPECT_EQ(DataDirectory(), chosen);
}

// What the move is refused for, and what each refusal leaves: both folders
// as they were, no pointer, the same data folder.
TEST_F(DataFolderChoice, AFailedMoveLeavesEverythingAsItWas) {
    WriteTheNotes();
    const std::u16string chosen = Elsewhere();
    const std::u16string source = DataPath();
    const struct {
        const char* what;
        std::function<std::u16string()> prepare;  // makes the folder chosen, returns it
        MoveProblem problem;
        std::u16string file;  // the file the refusal names
    } cases[] = {
        {"a file, not a folder", [&] { WriteRawFile(chosen, "x"); return chosen; }, MoveProblem::NotAFolder, chosen},
        {"no folder at all", [&] { return chosen + u"\\missing"; }, MoveProblem::NotAFolder, chosen + u"\\missing"},
        {"its notes folder is a file",
         [&] {
             CreateDirectoryW(Wide(chosen), nullptr);
             WriteRawFile(chosen + u"\\notes", "x");
             return chosen;
         },
         MoveProblem::CannotWrite, chosen + u"\\notes\\note_000000000000000A.txt"},
        {"a translation of its own",
         [&] {
             CreateDirectoryW(Wide(chosen), nullptr);
             CreateDirectoryW(Wide(chosen + u"\\lang"), nullptr);
             WriteRawFile(chosen + u"\\lang\\lang_de.txt", "LANG_NAME=Deutsch (mine)\r\n");
             return chosen;
         },
         MoveProblem::FileClash, chosen + u"\\lang\\lang_de.txt"},
        {"inside the data folder", [&] { return source + u"\\lang"; }, MoveProblem::Overlaps, source + u"\\lang"},
    };
    for (const auto& c : cases) {
        DeleteTree(chosen);
        DeleteFileW(Wide(chosen));
        const std::u16string folder = c.prepare();
        const Tree sourceBefore = TreeOf(source);
        const Tree chosenBefore = TreeOf(chosen);
        const MoveResult result = MoveDataFolder(folder);
        EXPECT_EQ(result.outcome, MoveOutcome::Failed) << c.what;
        EXPECT_EQ(result.problem, c.problem) << c.what;
        EXPECT_EQ(result.file, c.file) << c.what;
        EXPECT_EQ(TreeOf(source), sourceBefore) << c.what;
        EXPECT_EQ(TreeOf(chosen), chosenBefore) << c.what;
        EXPECT_EQ(DataDirectory(), source) << c.what;
    }
}

// A file held open by another program, on either side, stops the move before
// anything is written.
TEST_F(DataFolderChoice, AFileHeldOpenStopsTheMove) {
    WriteTheNotes();
    const std::u16string chosen = Elsewhere();
    CreateDirectoryW(Wide(chosen), nullptr);
    CreateDirectoryW(Wide(chosen + u"\\lang"), nullptr);
    WriteRawFile(chosen + u"\\lang\\lang_de.txt", Data().Read(u"lang\\lang_de.txt"));
    for (const std::u16string& held : {Data().NotePath(0xB), chosen + u"\\lang\\lang_de.txt"}) {
        const Tree chosenBefore = TreeOf(chosen);
        MoveResult result;
        {
            const HeldFile holder(held);
            result = MoveDataFolder(chosen);
        }
        EXPECT_EQ(result.outcome, MoveOutcome::Failed);
        EXPECT_EQ(result.problem, MoveProblem::CannotRead);
        EXPECT_EQ(result.file, held);
        EXPECT_EQ(TreeOf(chosen), chosenBefore);
        EXPECT_FALSE(FileExists(DataPath(u"dossier.txt")));
    }
}

// A folder synced from another machine already holds its notes: nothing is
// written there, and the program switches to them only when asked to.
TEST_F(DataFolderChoice, AFolderThatHoldsNotesIsNeverWrittenTo) {
    WriteTheNotes();
    const std::u16string chosen = Elsewhere();
    for (const char16_t* theirs : {u"categories.txt", u"notes\\note_00000000000000F1.txt"}) {
        DeleteTree(chosen);
        CreateDirectoryW(Wide(chosen), nullptr);
        CreateDirectoryW(Wide(chosen + u"\\notes"), nullptr);
        WriteRawFile(chosen + u"\\" + theirs, "theirs");
        const Tree chosenBefore = TreeOf(chosen);
        EXPECT_EQ(MoveDataFolder(chosen).outcome, MoveOutcome::TargetHoldsNotes);
        EXPECT_EQ(TreeOf(chosen), chosenBefore);
        EXPECT_EQ(DataDirectory(), DataPath());
    }
    EXPECT_EQ(MoveDataFolder(DataPath() + u"\\").outcome, MoveOutcome::SameFolder);

    ASSERT_TRUE(UseFolderWithItsNotes(chosen));
    EXPECT_EQ(DataDirectory(), chosen);
    EXPECT_EQ(Data().Read(u"dossier.txt"), EncodeUtf8(chosen));
    // Back to the machine's folder, which still holds the old notes: the
    // pointer goes, and a start then finds the machine's folder as it always did.
    ASSERT_TRUE(UseFolderWithItsNotes(DataPath()));
    EXPECT_FALSE(FileExists(DataPath(u"dossier.txt")));
    EXPECT_EQ(ReadDataFolderChoice().state, StartFolderState::Default);
}

// A sync folder not mounted yet: the start names it, may look again, and
// when the user quits writes nothing anywhere, not even in the machine's folder.
TEST_F(DataFolderChoice, AFolderMissingAtStartIsNamedAndNothingIsWrittenAnywhere) {
    const std::u16string missing = Elsewhere(u"Dropbox\\Notes");
    WritePointer(EncodeUtf8(missing));
    const Tree before = TreeOf(Data().AppData());
    Seen first;
    Seen second;
    ScriptedUser user;
    user.AnswerMessageBox(IDRETRY, &first);
    user.AnswerMessageBox(IDCANCEL, &second);
    EXPECT_EQ(RunQuillboard(GetModuleHandleW(nullptr), u"Quillboard.exe"), 0);
    EXPECT_EQ(user.StepsLeft(), 0u);

    EXPECT_NE(first.text.find(u"\n" + missing + u"\n"), std::u16string::npos);
    EXPECT_TRUE(first.text.ends_with(DataPath(u"dossier.txt")));  // how to go back
    EXPECT_EQ(second.text, first.text);
    EXPECT_EQ(TreeOf(Data().AppData()), before);
    EXPECT_FALSE(FileExists(Elsewhere(u"Dropbox")));
    EXPECT_TRUE(WindowsOfClass(L"QuillboardTrayWindow").empty());
}

}  // namespace

// Damaged and locked files, failed windows, another copy's windows, notes
// out of reach: none of them may cost the user a word.
#include <windows.h>

#include <string>
#include <vector>

#include "app/quit_question.h"
#include "app/tray_icon.h"
#include "app/tray_window.h"
#include "categories/category_menu.h"
#include "categories/core/category_menu_model.h"
#include "notes/core/note_layout.h"
#include "notes/note_commands.h"
#include "notes/note_creation.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "settings/shortcuts.h"
#include "storage/category_storage.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/refused_windows.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_menu_items.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/text_input_dialog.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr std::uint64_t kNoteId = 0xAB;
constexpr char kPrecious[] = "X=300\r\n---\r\nprecious words";

class NothingLost : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        LoadCategories();  // the store of the private data folder: empty
    }

    std::u16string NotePath() const { return Data().NotePath(kNoteId); }
    // Stores the note and loads it as start-up does.
    HWND Loaded(const std::string& bytes) const {
        Data().WriteNote(kNoteId, bytes);
        return LoadTheOnlyNote();
    }
};

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST_F(NothingLost, NoteFilesAreReadWholeAndTheirOriginalBytesKeptBeforeAnyChange) {
    const struct {
        const char* what;
        std::string bytes;
        std::u16string shown;
        bool keepsOriginal;
    } cases[] = {
        {"UTF-8", "X=300\r\n---\r\nplain été", u"plain été", false},
        {"NUL characters", std::string("X=300\r\n---\r\nabc\0def\0", 20), u"abc\u2400def\u2400", true},
        {"UTF-16 little-endian", Utf16(u"X=300\r\n---\r\nécrit ailleurs", false), u"écrit ailleurs", true},
        {"UTF-16 big-endian", Utf16(u"X=300\r\n---\r\nécrit ailleurs", true), u"écrit ailleurs", true},
        {"invalid UTF-8", "X=300\r\n---\r\nbad \xC3( byte", u"bad \uFFFD( byte", true},
    };
    const std::u16string original = NotePath() + u".original";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND note = Loaded(c.bytes);
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(WindowRect(note).left, 300);  // the header was read too
        EXPECT_EQ(WindowTextOf(NoteEditOf(note)), c.shown);
        EXPECT_EQ(FileExists(original), c.keepsOriginal);
        if (c.keepsOriginal) {
            EXPECT_EQ(ReadRawFile(original), c.bytes);
        }

        SaveNote(note);  // the first overwrite
        EXPECT_EQ(ReadRawFile(NotePath()), NoteFileText({.x = 300, .body = EncodeUtf8(c.shown)}));
        DestroyWindow(note);
        DeleteFileW(Wide(original));
    }

    // An older, different original is never overwritten.
    WriteRawFile(original, "an older original");
    ASSERT_NE(Loaded(std::string("---\r\nfirst\0", 11)), nullptr);
    EXPECT_EQ(ReadRawFile(original), "an older original");
    EXPECT_EQ(ReadRawFile(original + u"-2"), std::string("---\r\nfirst\0", 11));
}

TEST_F(NothingLost, NoteWithoutItsEditIsNeitherMadeNorBlankNorSaved) {
    Data().WriteNote(kNoteId, kPrecious);
    {
        RefuseWindowsOfClass noEdit(L"Edit");
        EXPECT_TRUE(LoadAllNotes(GetModuleHandleW(nullptr)));
    }
    EXPECT_TRUE(WindowsOfClass(kNoteClass).empty());

    HWND note = LoadTheOnlyNote();  // and one that loses its edit later
    ASSERT_NE(note, nullptr);
    DestroyWindow(NoteEditOf(note));
    EXPECT_FALSE(IsNoteBlank(note));
    SaveNote(note);
    SaveAllNotes();
    EXPECT_EQ(ReadRawFile(NotePath()), kPrecious);
}

TEST_F(NothingLost, PassesOverNotesLeaveAnotherProcesssNoteWindowsAlone) {
    const std::u16string program = BesideThisProgram(u"foreign_note_window.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(Wide(program), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    std::vector<HWND> foreign;
    ASSERT_TRUE(PumpUntil([&] { return !(foreign = TopLevelWindows(process.dwProcessId, kNoteClass)).empty(); }));

    HWND mine = Loaded("X=300\r\n---\r\nmine");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(NoteFromWindow(foreign.front()), nullptr);
    std::vector<HWND> visited;
    ForEachNoteWindow([&](HWND window) { visited.push_back(window); });
    EXPECT_EQ(visited, std::vector<HWND>{mine});
    SaveAllNotes();  // would read the other process's pointer as a Note
    DockAllNotes();
    EXPECT_NE(NoteFromWindow(mine)->dock, kDockNone);

    PostMessageW(foreign.front(), WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 5000), WAIT_OBJECT_0);
}

TEST_F(NothingLost, CategoriesFileHeldOpenIsNeverRewrittenFromAnEmptyStore) {
    const std::string categories = "NEXTID|3\r\nCAT|1|FF0000|Travail\r\nSUB|1|2|Urgent\r\n";
    Data().Write(u"categories.txt", categories);
    HeldFile held(DataPath(u"categories.txt"));
    ASSERT_TRUE(held.Held());
    EXPECT_EQ(LoadCategories(), CategoriesFileState::Unreadable);
    HWND note = Loaded("X=300\r\nCOLOR=#FF0000\r\nCAT=1\r\nSUBCAT=2\r\n---\r\nfiled");
    ASSERT_NE(note, nullptr);

    // A change is refused with a message rather than written over the file.
    ScriptedUser user;
    Seen warning;
    user.AnswerMessageBox(IDOK, &warning);
    RunCategoryMenuCommand(note, kCommandNewCategory);
    EXPECT_TRUE(warning.shown);
    EXPECT_NE(warning.text.find(u"categories.txt"), std::u16string::npos);
    EXPECT_TRUE(WindowsOfClass(kTextInputClass).empty());
    EXPECT_FALSE(SaveCategories());
    // A new colour does not strip the note of the category the store cannot see.
    SetNoteColour(note, 0x00123456);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 1);
    EXPECT_EQ(NoteFromWindow(note)->subcategoryId, 2);

    held.Release();
    EXPECT_EQ(ReadRawFile(DataPath(u"categories.txt")), categories);
    EXPECT_TRUE(CatchUpWithCategoriesFile());
    ASSERT_NE(FindCategory(Categories(), 1), nullptr);
    // Caught up, the note follows its category's colour again.
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x000000FFu);
}

TEST_F(NothingLost, NotesAndDialogsOutOfReachComeOntoTheScreen) {
    const Rect work = WorkArea();
    // Stored off every monitor, a note comes into the work area; partly on
    // a screen, it stays where it is.
    const struct {
        const char* header;
        Rect placed;
    } cases[] = {
        {"X=5000\r\nY=4000\r\n", {work.right - 240, work.bottom - 200, work.right, work.bottom}},
        {"X=-3000\r\nY=300\r\n", {work.left, 300, work.left + 240, 500}},
        {"X=-100\r\nY=300\r\n", {-100, 300, 140, 500}},
        {"X=1500\r\nY=300\r\n", {1500, 300, 1740, 500}},
    };
    for (const auto& c : cases) {
        HWND note = Loaded(std::string(c.header) + "W=240\r\nH=200\r\n---\r\nwhere am I");
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(WindowRect(note), c.placed) << c.header;
        DestroyWindow(note);
    }

    // A note made from a pinned note near the bottom opens above it; left
    // off the screen by a display change, it comes back.
    HWND pinned = MakeNote(TestNote{.x = 400, .y = work.bottom - 220, .pinned = true});
    HWND made = CreateNewNote(pinned);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(WindowRect(made), (Rect{400, work.bottom - 428, 640, work.bottom - 228}));
    SetWindowPos(made, nullptr, 6000, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(made, WM_DISPLAYCHANGE, 32, MAKELPARAM(1600, 1000));
    EXPECT_EQ(WindowRect(made), (Rect{work.right - 240, 300, work.right, 500}));

    // The name dialog of a strip docked on the right opens on the screen.
    HWND strip = MakeNote(TestNote{.id = 2, .x = work.right - 6, .y = 300, .width = 6, .height = 200});
    Rect dialogRect;
    ScriptedUser user;
    user.WhenShown(kTextInputClass, [&](HWND dialog) {
        dialogRect = WindowRect(dialog);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::u16string text;
    ShowTextInputDialog(strip, kDefaultNoteColour, u"Nouvelle catégorie", u"", text);
    ASSERT_EQ(user.StepsLeft(), 0u);
    EXPECT_TRUE(Inside(dialogRect, work));
    EXPECT_EQ(dialogRect.Width(), 330);
}

TEST_F(NothingLost, NoteDeletedAsItsNameDialogClosesMakesNoCategory) {
    HWND note = MakeNote(TestNote{});
    ScriptedUser user;
    user.WhenShown(kTextInputClass, [&](HWND dialog) {
        SetWindowTextW(GetDlgItem(dialog, kTextInputEdit), L"Maison");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        DestroyWindow(note);  // before the dialog's loop returns to the command
    });
    Seen colourDialog;
    user.AnswerColour(std::nullopt, &colourDialog);
    RunCategoryMenuCommand(note, kCommandNewCategory);
    EXPECT_EQ(user.StepsLeft(), 1u);  // the name was given
    EXPECT_FALSE(colourDialog.shown);
    user.Forget();
    EXPECT_TRUE(Categories().categories.empty());
    EXPECT_FALSE(FileExists(DataPath(u"categories.txt")));
}

TEST_F(NothingLost, TrayIconRefusedAtStartIsAddedAgainLater) {
    HWND tray = CreateTrayWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(AddTrayIcon(tray));
    AddTrayIconOrRetry(tray);  // refused: the icon is there already
    RemoveTrayIcon();          // the notification area loses it
    EXPECT_TRUE(PumpUntil([&] { return TrayIconExists(tray); }, std::chrono::milliseconds(10000)));
    DestroyWindow(tray);  // removes the icon
    PumpPending();
}

// A sync tool or a virus scanner holding a note's file: the save fails.
TEST_F(NothingLost, ANoteThatCannotBeSavedSaysSoAsksBeforeQuittingAndIsSavedOnceItCan) {
    HWND note = Loaded("X=300\r\n---\r\nfirst words");
    ASSERT_NE(note, nullptr);
    HeldFile held(NotePath());
    ASSERT_TRUE(held.Held());
    SetWindowTextW(NoteEditOf(note), L"words typed since");
    SaveNote(note);
    EXPECT_TRUE(NoteSaveFailed(note));

    // The header shows a red badge; the note's menu says why and can retry.
    UpdateWindow(note);
    const Rect badge = SaveFailedBadgeRect(WindowRect(note).right - WindowRect(note).left);
    POINT centre{(badge.left + badge.right) / 2 - 3, (badge.top + badge.bottom) / 2};
    ClientToScreen(note, &centre);
    EXPECT_EQ(ScreenPixel(centre.x, centre.y), RGB(0xD0, 0x20, 0x20));
    SaveScreenshotIfAsked(u"note-save-failed", note);
    OwnerDrawItems records;
    const UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    const std::vector<std::u16string> items = OwnerDrawnMenuTexts(menu.Get());
    ASSERT_GE(items.size(), 2u);
    EXPECT_TRUE(items[0].starts_with(u"Non enregistrée\u00A0: ")) << testing::PrintToString(items[0]);
    EXPECT_GT(items[0].size(), std::u16string(u"Non enregistrée\u00A0: ").size());  // the system's reason
    EXPECT_EQ(items[1], u"Réessayer d'enregistrer");

    // Quitting asks, naming what is unsaved; "Try again" while the file is
    // still held asks again; "Cancel" keeps the program running.
    {
        ScriptedUser user;
        Seen first, second;
        user.Then([&user] {
            if (!user.MessageBoxWindow()) return false;
            SaveScreenshotIfAsked(u"quit-question", user.MessageBoxWindow());
            return true;
        });
        user.AnswerMessageBox(IDTRYAGAIN, &first);
        user.AnswerMessageBox(IDCANCEL, &second);
        EXPECT_FALSE(ReadyToQuit(nullptr, true));
        EXPECT_NE(first.text.find(u"Une note n'a pas pu être enregistrée."), std::u16string::npos) << testing::PrintToString(first.text);
        EXPECT_TRUE(second.shown);
    }
    // The installer's request and the end of a session never wait on it.
    EXPECT_TRUE(ReadyToQuit(nullptr, false));
    EXPECT_EQ(NoteText(note), u"words typed since");

    // Once the file is free, the 30-second timer saves it.
    held.Release();
    RetryFailedSaves();
    EXPECT_FALSE(NoteSaveFailed(note));
    EXPECT_NE(ReadRawFile(NotePath()).find("words typed since"), std::string::npos);
    EXPECT_TRUE(ReadyToQuit(nullptr, true));  // nothing to ask now
}

// The categories and settings files follow the same rule as the notes.
TEST_F(NothingLost, CategoriesAndSettingsThatCannotBeSavedAreCountedAndWrittenLater) {
    Data().Write(u"categories.txt", "NEXTID|1\r\n");
    Data().Write(u"shortcuts.txt", "");
    ASSERT_EQ(LoadCategories(), CategoriesFileState::Read);
    HeldFile heldCategories(DataPath(u"categories.txt"));
    HeldFile heldShortcuts(DataPath(u"shortcuts.txt"));
    ASSERT_TRUE(heldCategories.Held() && heldShortcuts.Held());
    ASSERT_EQ(CreateCategory(Categories(), u"Travail", 0x0000FF).status, CreateStatus::Created);
    EXPECT_FALSE(SaveCategories());
    EXPECT_FALSE(SaveShortcuts());

    Seen question;
    {
        ScriptedUser user;
        user.AnswerMessageBox(IDCANCEL, &question);
        EXPECT_FALSE(ReadyToQuit(nullptr, true));
    }
    EXPECT_NE(question.text.find(u"Les catégories n'ont pas pu être enregistrées."), std::u16string::npos);
    EXPECT_NE(question.text.find(u"Les paramètres n'ont pas pu être enregistrés."), std::u16string::npos);

    heldCategories.Release();
    heldShortcuts.Release();
    RetryFailedSaves();
    EXPECT_NE(ReadRawFile(DataPath(u"categories.txt")).find("Travail"), std::string::npos);
    EXPECT_NE(ReadRawFile(DataPath(u"shortcuts.txt")).find("1|3|78"), std::string::npos);
    EXPECT_TRUE(UnsavedFiles().empty());
}

TEST_F(NothingLost, OnlyAReplaceThatMaySucceedLaterIsRetried) {
    Data().WriteNote(kNoteId, "---\r\nlocked");
    const std::u16string path = NotePath();
    EXPECT_TRUE(IsReplaceFailureTransient(ERROR_SHARING_VIOLATION, path));
    EXPECT_TRUE(IsReplaceFailureTransient(ERROR_ACCESS_DENIED, path));  // a reader holding it
    EXPECT_FALSE(IsReplaceFailureTransient(ERROR_PATH_NOT_FOUND, path));

    // Windows refuses to replace a read-only file every time.
    SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(IsReplaceFailureTransient(ERROR_ACCESS_DENIED, path));
    SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

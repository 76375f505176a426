// The entry list of a scheduled note on real windows: what it paints, what
// clicks do, and the two menus that move text between the regular and the
// scheduled note of a category, with the files they leave.
#include <windows.h>

#include <string>
#include <vector>

#include "entries/core/due_text.h"
#include "entries/date_time_picker.h"
#include "entries/entry_editor.h"
#include "notes/entry_list.h"
#include "notes/note_creation.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/core/note_file.h"
#include "storage/text_files.h"
#include "support/program_names.h"
#include "support/refused_windows.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_menu_items.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/core/colour_rules.h"
#include "win/handles.h"

namespace {

constexpr std::int32_t kWork = 1;
constexpr DueStamp kDue = 202503141530;

NoteEntry Entry(std::int32_t id, DueStamp due, const char16_t* text, std::int32_t done = 0, DateStamp doneDate = 0) {
    return NoteEntry{id, due, done, 0, doneDate, text};
}

NoteFields Stored(HWND note) {
    NoteFields fields = DefaultNoteFields();
    ParseNoteFile(ReadTextFile(NoteFileOf(note)), fields);
    return fields;
}

void Click(HWND note, int x, int y) {
    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// A right click on the note, or in its edit on the character at `index`.
void RightClick(HWND window, POINT client) {
    ClientToScreen(window, &client);
    SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(client.x, client.y));
}
void RightClickCharacter(HWND note, int index) {
    const LRESULT position = SendMessageW(NoteEditOf(note), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    RightClick(NoteEditOf(note), POINT{LOWORD(position) + 2, HIWORD(position) + 4});
}

void SetText(HWND dialog, int id, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(dialog, id), text);
}

void PressOk(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class EntryList : public DataFolderTest {
protected:
    // A saved note of category kWork (or another one).
    HWND MakeSavedNote(NoteType type, std::vector<NoteEntry> entries, const char16_t* body = u"",
                       ColourRef colour = kDefaultNoteColour, std::int32_t categoryId = kWork) {
        HWND note = ::MakeNote(TestNote{.id = nextId_++, .x = 200, .y = 150, .colour = colour, .category = categoryId,
                                        .type = type, .entries = std::move(entries), .text = body});
        SaveNote(note);
        return note;
    }

    // The one menu open now, and the texts of its items.
    HMENU OpenMenu() const { return MenuOfWindow(user_.OpenMenus().front()); }
    std::vector<std::u16string> OpenMenuTexts() const { return OwnerDrawnMenuTexts(OpenMenu()); }

    std::uint64_t nextId_ = 0x100;
    ScriptedUser user_;
};

TEST_F(EntryList, PaintsOpenAndTodaysDoneEntriesThenTheAddRow) {
    const std::vector<NoteEntry> entries = {Entry(1, kDue, u"Appeler Paul"),
                                            Entry(2, kDue + 1, u"Acheter du pain", 1, TodayStamp()),
                                            Entry(3, kDue + 2, u"Hier", 1, 20000101), Entry(4, 0, u"Lire le contrat")};
    for (ColourRef colour : {kDefaultNoteColour, ColourRef{0x00402010}}) {
        HWND note = MakeSavedNote(kNoteScheduled, entries, u"", colour);
        SetWindowPos(note, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SaveScreenshotIfAsked(colour == kDefaultNoteColour ? u"scheduled-note-light" : u"scheduled-note-dark",
                              note);
        UpdateWindow(note);
        const WindowDc dc(note);
        const ColourRef text = ContrastTextColour(colour);
        EXPECT_EQ(GetPixel(dc.Get(), 6, 45), text);     // row 0's check box
        EXPECT_EQ(GetPixel(dc.Get(), 12, 50), colour);  // not ticked
        EXPECT_EQ(GetPixel(dc.Get(), 12, 74), text);    // row 1's tick
        EXPECT_EQ(GetPixel(dc.Get(), 30, 70), text);    // struck through
        // Three rows (yesterday's done entry is hidden), the add row at y 106..130, nothing below.
        int addRow = 0, below = 0;
        for (int x = 6; x < 290; ++x) {
            for (int y = 108; y < 128; ++y) addRow += GetPixel(dc.Get(), x, y) != colour;
            for (int y = 131; y < 190; ++y) below += GetPixel(dc.Get(), x, y) != colour;
        }
        EXPECT_GT(addRow, 0);
        EXPECT_EQ(below, 0);
        DestroyWindow(note);
    }
}

TEST_F(EntryList, ClicksTickUntickAndDeleteTheEntryShownInTheRow) {
    const NoteEntry past = Entry(2, kDue + 1, u"hier", 1, 20000101);
    HWND note = MakeSavedNote(kNoteScheduled, {Entry(1, kDue, u"un"), past, Entry(3, kDue + 2, u"trois")});
    Click(note, 10, 40);
    EXPECT_EQ(Stored(note).entries[0], Entry(1, kDue, u"un", 1, TodayStamp()));
    Click(note, 10, 40);
    EXPECT_EQ(Stored(note).entries[0], Entry(1, kDue, u"un"));
    Click(note, 235, 64);  // row 1 shows "trois": the entry done in the past is not listed
    EXPECT_EQ(Stored(note).entries, (std::vector<NoteEntry>{Entry(1, kDue, u"un"), past}));
}

TEST_F(EntryList, TheEditorEditsARowAndTheAddRowBelowTheRowsThatFitAddsOne) {
    std::vector<NoteEntry> entries;
    for (int i = 1; i <= 8; ++i) entries.push_back(Entry(i, kDue + i, u"entrée"));
    entries[0].notified = 1;
    HWND note = MakeSavedNote(kNoteScheduled, entries);
    user_.WhenShown(kEditEntryClass, [](HWND dialog) {
        SetText(dialog, kDueFieldId, L"01/01/2030 00:00");  // a new due re-arms the reminder
        PressOk(dialog);
    });
    user_.WhenShown(kEditEntryClass, [](HWND dialog) {
        SetText(dialog, kEntryTextFieldId, L"Nouvelle");
        SetText(dialog, kDueFieldId, L"14/03/2025 15:30");
        PressOk(dialog);
    });
    Click(note, 100, 45);
    Click(note, 50, 160);  // 200 pixels hold 5 rows and the add row at y 154..178
    const std::vector<NoteEntry> stored = Stored(note).entries;
    ASSERT_EQ(stored.size(), 9u);
    EXPECT_EQ(stored.front(), Entry(9, kDue, u"Nouvelle"));
    EXPECT_EQ(stored.back(), Entry(1, 203001010000, u"entrée"));
}

TEST_F(EntryList, TransferringTheLastEntryMovesItIntoTheRegularNoteAndDiscardsTheEmptiedOne) {
    HWND regular = MakeSavedNote(kNoteRegular, {}, u"Ligne");
    HWND scheduled = MakeSavedNote(kNoteScheduled, {Entry(1, kDue, u"Appeler Paul")});
    const std::u16string scheduledFile = NoteFileOf(scheduled);
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN}, [this] {
        EXPECT_EQ(OpenMenuTexts(),
                  (std::vector<std::u16string>{u"Appeler Paul", u"", u"Transferer vers une note normale"}));
    });
    RightClick(scheduled, POINT{100, 45});
    PumpPending();
    EXPECT_EQ(Stored(regular).body, u"Ligne\r\nAppeler Paul");
    EXPECT_FALSE(IsWindow(scheduled));
    EXPECT_FALSE(FileExists(scheduledFile));
}

TEST_F(EntryList, ConvertingALineTakesItWithItsLineBreakIntoANewScheduledNote) {
    HWND regular = MakeSavedNote(kNoteRegular, {}, u"un\r\n\r\ndeux\r\ntrois");
    user_.WhenMenusOpen(1, {VK_ESCAPE}, [this] {  // an empty line converts to nothing
        EXPECT_TRUE(GetMenuState(OpenMenu(), 2, MF_BYPOSITION) & MF_GRAYED);
    });
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN}, [this] {
        EXPECT_EQ(OpenMenuTexts(), (std::vector<std::u16string>{u"deux", u"", u"Convertir en tache cedulee…"}));
    });
    user_.WhenShown(kPickerClass, [](HWND popup) {
        SetText(popup, kHourFieldId, L"9");
        SetText(popup, kMinuteFieldId, L"30");
        PressOk(popup);
    });
    RightClickCharacter(regular, 4);
    RightClickCharacter(regular, 7);
    PumpPending();
    EXPECT_EQ(Stored(regular).body, u"un\r\n\r\ntrois");
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
    const std::vector<NoteEntry> entries = Stored(FindOrCreateNote(kWork, 0, kNoteScheduled)).entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, u"deux");
    EXPECT_EQ(entries[0].due % 10000, 930);
    EXPECT_TRUE(IsWellFormedDue(entries[0].due));
}

TEST_F(EntryList, ConvertingTheOnlyLineFromTheKeyboardDiscardsTheEmptiedNote) {
    HWND regular = MakeSavedNote(kNoteRegular, {}, u"seule ligne");
    HWND scheduled = MakeSavedNote(kNoteScheduled, {Entry(1, kDue, u"déjà là")});
    const std::u16string regularFile = NoteFileOf(regular);
    SendMessageW(NoteEditOf(regular), EM_SETSEL, 11, 11);
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN});
    user_.WhenShown(kPickerClass, PressOk);
    SendMessageW(NoteEditOf(regular), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_TRUE(PumpUntil([regular] { return !IsWindow(regular); }));
    EXPECT_FALSE(FileExists(regularFile));
    const std::vector<NoteEntry> entries = Stored(scheduled).entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].text, u"seule ligne");
    EXPECT_EQ(entries[1].id, 2);
}

TEST_F(EntryList, WhenTheOtherNoteCannotBeMadeTheLineAndTheEntryStayWhereTheyWere) {
    HWND regular = MakeSavedNote(kNoteRegular, {}, u"ligne", kDefaultNoteColour, 2);
    HWND scheduled = MakeSavedNote(kNoteScheduled, {Entry(1, kDue, u"entrée")}, u"", kDefaultNoteColour, 3);
    const RefuseWindowsOfClass noNewNote(kNoteClass);
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN});
    user_.WhenShown(kPickerClass, PressOk);
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN});
    RightClickCharacter(regular, 1);
    RightClick(scheduled, POINT{100, 45});
    PumpPending();
    EXPECT_EQ(Stored(regular).body, u"ligne");
    EXPECT_EQ(Stored(scheduled).entries, (std::vector<NoteEntry>{Entry(1, kDue, u"entrée")}));
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
}

}  // namespace

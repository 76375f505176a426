// The entry list of a scheduled note on real windows: what it paints, what
// clicks do, and the two menus that move text between the regular and the
// scheduled note of a category, with the files they leave.
#include <windows.h>

#include <cstring>
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
#include "win/wide.h"

namespace {

constexpr std::int32_t kWork = 1;
constexpr DueStamp kDue = 202503141530;
// The note text's menu: the edit commands and their two separators, a
// separator, the line, then "Convertir en tâche cédulée…".
constexpr int kConvertPosition = 10;

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
                  (std::vector<std::u16string>{u"Appeler Paul", u"", u"Transférer vers une note normale"}));
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
        EXPECT_TRUE(GetMenuState(OpenMenu(), kConvertPosition, MF_BYPOSITION) & MF_GRAYED);
    });
    user_.WhenMenusOpen(1, {VK_UP, VK_RETURN}, [this] {
        EXPECT_EQ(OpenMenuTexts(), (std::vector<std::u16string>{u"Annuler", u"", u"Couper", u"Copier", u"Coller",
                                                                u"Supprimer", u"", u"Sélectionner tout", u"", u"deux",
                                                                u"Convertir en tâche cédulée…"}));
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

// The clipboard's text, or empty; and putting text there (the clipboard
// needs an owner window for that).
std::u16string ClipboardText() {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = FromWide(locked);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
void SetClipboardText(HWND owner, const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    CloseClipboard();
}

// The edit commands' places in the note text's menu, separators counted.
enum EditMenuPlace { kUndo = 0, kCut = 2, kCopy, kPaste, kDelete, kSelectAll = 7 };

// The keys that choose a command: Down moves one item at a time here,
// separators included (they are owner-drawn), then Return.
std::vector<WORD> KeysTo(EditMenuPlace place) {
    std::vector<WORD> keys(static_cast<std::size_t>(place) + 1, VK_DOWN);
    keys.push_back(VK_RETURN);
    return keys;
}

// Whether Undo, Cut, Copy, Paste, Delete and Select All are greyed.
std::vector<bool> GreyedEditCommands(HMENU menu) {
    std::vector<bool> greyed;
    for (int place : {kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll}) {
        greyed.push_back(GetMenuState(menu, place, MF_BYPOSITION) & MF_GRAYED);
    }
    return greyed;
}

void OpenEditMenu(HWND edit) {
    SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(-1, -1));
}

TEST_F(EntryList, TheNoteTextsEditCommandsActOnTheTextAndTheNoteSavesIt) {
    const struct {
        const char* name;
        EditMenuPlace command;
        std::u16string text;
        std::u16string clipboard;
        DWORD caret;  // the selection's end
    } cases[] = {
        {"cut", kCut, u"un ", u"deux", 3},
        {"copy", kCopy, u"un deux", u"deux", 7},
        {"paste", kPaste, u"un trois", u"trois", 8},
        {"delete", kDelete, u"un ", u"trois", 3},
        {"select all", kSelectAll, u"un deux", u"trois", 7},
    };
    for (const auto& c : cases) {
        HWND note = MakeSavedNote(kNoteRegular, {}, u"un deux");
        HWND edit = NoteEditOf(note);
        SetClipboardText(note, u"trois");
        SendMessageW(edit, EM_SETSEL, 3, 7);  // "deux"
        user_.WhenMenusOpen(1, KeysTo(c.command), [this, &c] {
            // A selection and text to paste: everything but Undo.
            EXPECT_EQ(GreyedEditCommands(OpenMenu()), (std::vector<bool>{true, false, false, false, false, false}))
                << c.name;
        });
        OpenEditMenu(edit);
        EXPECT_EQ(WindowTextOf(edit), c.text) << c.name;
        EXPECT_EQ(ClipboardText(), c.clipboard) << c.name;
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(end, c.caret) << c.name;
        SetFocus(note);  // the text saves when it loses the focus, as after typing
        EXPECT_EQ(Stored(note).body, c.text) << c.name;
        DestroyWindow(note);
    }
}

TEST_F(EntryList, UndoAndSelectAllAreEnabledOnlyWhenTheyCanAct) {
    HWND note = MakeSavedNote(kNoteRegular, {}, u"un deux");
    HWND edit = NoteEditOf(note);
    SetClipboardText(note, u"trois");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    user_.WhenMenusOpen(1, KeysTo(kDelete), [this] {
        // Everything selected and nothing done yet: no Undo, no Select All.
        EXPECT_EQ(GreyedEditCommands(OpenMenu()), (std::vector<bool>{true, false, false, false, false, true}));
    });
    OpenEditMenu(edit);
    EXPECT_EQ(WindowTextOf(edit), u"");
    user_.WhenMenusOpen(1, KeysTo(kUndo), [this] {
        // An empty text and a change to undo: Undo and Paste.
        EXPECT_EQ(GreyedEditCommands(OpenMenu()), (std::vector<bool>{false, true, true, false, true, true}));
    });
    OpenEditMenu(edit);
    EXPECT_EQ(WindowTextOf(edit), u"un deux");
}

}  // namespace

// The entry editor on a real dialog: its controls, what OK stores, the ways
// out that store nothing, its calendar button and where it opens.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "entries/date_time_picker.h"
#include "entries/entry_editor.h"
#include "notes/entry_list.h"
#include "notes/note_window_state.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"

namespace {

NoteEntry SampleEntry() {
    return NoteEntry{5, 202403051430, 1, 1, 20240301, u"Appeler Paul"};
}

std::u16string ControlText(HWND dialog, int id) {
    return WindowTextOf(GetDlgItem(dialog, id));
}

void SetControlText(HWND dialog, int id, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(dialog, id), text);
}

class EntryEditor : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        owner_ = MakeNote(TestNote{.x = 200, .y = 150});
    }

    bool Edit(NoteEntry& entry, std::function<void(HWND)> act) {
        ScriptedUser user;
        user.WhenShown(kEditEntryClass, std::move(act));
        return ShowEntryEditor(owner_, kDefaultNoteColour, entry);
    }

    HWND owner_ = nullptr;
};

TEST_F(EntryEditor, ShowsTheEntryOverItsOwnerOnTheScreenWithTheTextSelectedAndItsControlsInTabOrder) {
    NoteEntry entry = SampleEntry();
    Edit(entry, [](HWND dialog) {
        std::vector<std::u16string> texts{WindowTextOf(dialog)};  // then its children's
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            texts.push_back(WindowTextOf(child));
        }
        EXPECT_EQ(texts, (std::vector<std::u16string>{u"Tâche cédulée", u"Texte\u00A0:", u"Appeler Paul", u"Échéance\u00A0:",
                                                      u"05/03/2024 14:30", u"", u"OK", u"Annuler",
                                                      u"Date ou heure illisible"}));
        std::vector<int> tabOrder;  // from the text field on
        for (HWND stop = GetDlgItem(dialog, kEntryTextFieldId); tabOrder.size() < 5;) {
            tabOrder.push_back(GetDlgCtrlID(stop = GetNextDlgTabItem(dialog, stop, FALSE)));
        }
        EXPECT_EQ(tabOrder, (std::vector<int>{kDueFieldId, kCalendarButtonId, IDOK, IDCANCEL, kEntryTextFieldId}));
        EXPECT_EQ(WindowRect(dialog), (Rect{230, 180, 580, 390}));  // 30 pixels in from the owner's corner
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), kEntryTextFieldId);
        DWORD selectionEnd = 0;
        SendMessageW(GetFocus(), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
        EXPECT_EQ(selectionEnd, 12u);  // all of "Appeler Paul"
        EXPECT_TRUE(ModalDialogActive());
        SaveScreenshotIfAsked(u"entry-editor", dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(ModalDialogActive());

    // From a note near the bottom right corner, the OK button stays within reach.
    const Rect work = WorkAreaNearWindow(owner_);
    SetWindowPos(owner_, nullptr, work.right - 100, work.bottom - 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Edit(entry, [&](HWND dialog) {
        EXPECT_EQ(WindowRect(dialog).right, work.right);
        EXPECT_EQ(WindowRect(dialog).bottom, work.bottom);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
}

TEST_F(EntryEditor, OnlyOkStoresTheTypedTextAndDueAndNothingElse) {
    const auto post = [](int id, UINT message, WPARAM wParam, LPARAM lParam) {
        return [=](HWND dialog) { PostMessageW(id ? GetDlgItem(dialog, id) : dialog, message, wParam, lParam); };
    };
    const struct {
        std::function<void(HWND)> leave;
        bool stored;
    } ways[] = {
        {post(kEntryTextFieldId, WM_KEYDOWN, VK_RETURN, 1), true},
        {post(kEntryTextFieldId, WM_KEYDOWN, VK_ESCAPE, 1), false},
        {post(kEntryTextFieldId, WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16)), false},
        {post(IDCANCEL, BM_CLICK, 0, 0), false},
        {post(0, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(337, 15)), false},  // the cross
    };
    const NoteEntry edited{5, 202402290907, 1, 1, 20240301, u"Appeler|\tPaul"};
    for (size_t i = 0; i < std::size(ways); ++i) {
        NoteEntry entry = SampleEntry();
        EXPECT_EQ(Edit(entry, [&](HWND dialog) {
                      SetControlText(dialog, kEntryTextFieldId, L"Appeler|\tPaul");
                      SetControlText(dialog, kDueFieldId, L"31/02/24 9:07");
                      ways[i].leave(dialog);
                  }),
                  ways[i].stored) << i;
        EXPECT_EQ(entry, ways[i].stored ? edited : SampleEntry()) << i;
        EXPECT_TRUE(IsWindowEnabled(owner_)) << i;
    }
}

TEST_F(EntryEditor, CalendarButtonPicksADateIntoTheFieldButOnlyOkKeepsIt) {
    RECT field{};
    ScriptedUser user;
    user.WhenShown(kEditEntryClass, [&](HWND dialog) {
        GetWindowRect(GetDlgItem(dialog, kDueFieldId), &field);
        PostMessageW(GetDlgItem(dialog, kCalendarButtonId), BM_CLICK, 0, 0);
    });
    user.WhenShown(kPickerClass, [&](HWND popup) {
        EXPECT_EQ(WindowRect(popup).left, field.left);  // just below the date field, on its date
        EXPECT_EQ(WindowRect(popup).top, field.bottom + 2);
        EXPECT_EQ(ControlText(popup, kHourFieldId) + u":" + ControlText(popup, kMinuteFieldId), u"14:30");
        // March 2024 starts on Friday: the 20th is in row 3, column 2.
        SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 144));
        PostMessageW(popup, WM_COMMAND, IDOK, 0);
    });
    user.WhenEnabled(kEditEntryClass, [](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, kDueFieldId), u"20/03/2024 14:30");
        PostMessageW(GetDlgItem(dialog, kCalendarButtonId), BM_CLICK, 0, 0);
    });
    user.WhenShown(kPickerClass, [](HWND popup) { PostMessageW(popup, WM_CLOSE, 0, 0); });
    user.WhenEnabled(kEditEntryClass, [](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, kDueFieldId), u"20/03/2024 14:30");  // as the cancelled picker found it
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    NoteEntry entry = SampleEntry();
    EXPECT_FALSE(ShowEntryEditor(owner_, kDefaultNoteColour, entry));
    EXPECT_EQ(entry, SampleEntry());
}

TEST_F(EntryEditor, OkKeepsPipesAndTabsAndMakesEachLineBreakOneSpace) {
    const struct {
        const wchar_t* typed;  // null: the text is left as it was
        std::u16string stored;
    } cases[] = {
        {nullptr, u"Code | 1234"},
        {L"a\tb|c\r\nd", u"a\tb|c d"},
    };
    for (const auto& c : cases) {
        NoteEntry entry = SampleEntry();
        entry.text = u"Code | 1234";
        EXPECT_TRUE(Edit(entry, [&](HWND dialog) {
            if (c.typed) SetControlText(dialog, kEntryTextFieldId, c.typed);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }));
        EXPECT_EQ(entry.text, c.stored);
    }
}

TEST_F(EntryEditor, OkStoresTheDateAndTimeAsTyped) {
    const struct {
        const wchar_t* typed;
        DueStamp due;
    } cases[] = {
        {L"15/12/2026 10h00", 202612151000},
        {L"2026-12-20 10:00", 202612201000},
    };
    for (const auto& c : cases) {
        NoteEntry entry = SampleEntry();
        EXPECT_TRUE(Edit(entry, [&](HWND dialog) {
            SetControlText(dialog, kDueFieldId, c.typed);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }));
        EXPECT_EQ(entry.due, c.due) << testing::PrintToString(std::wstring(c.typed));
    }
}

TEST_F(EntryEditor, OkRefusesAnUnreadableDateWithTheFieldMarkedAndSelectedUntilItChanges) {
    NoteEntry entry = SampleEntry();
    const bool stored = Edit(entry, [](HWND dialog) {
        HWND field = GetDlgItem(dialog, kDueFieldId);
        HWND line = GetDlgItem(dialog, kDueRefusedLineId);
        SetWindowTextW(field, L"20/12 9h30x");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetFocus(), field);
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 11u);
        EXPECT_TRUE(IsWindowVisible(line));
        EXPECT_EQ(WindowTextOf(line), u"Date ou heure illisible");
        const Rect place = WindowRect(field);  // a point of the field right of its text
        const auto fieldPixel = [&] { return WindowPixel(field, place.right - place.left - 4, 4); };
        EXPECT_TRUE(PumpUntil([&] { return fieldPixel() == RGB(255, 205, 205); })) << std::hex << fieldPixel();
        SaveScreenshotIfAsked(u"entry-refused", dialog);

        SetWindowTextW(field, L"20/12 9h30");
        EXPECT_FALSE(IsWindowVisible(line));
        EXPECT_TRUE(PumpUntil([&] { return fieldPixel() == kDefaultNoteColour; })) << std::hex << fieldPixel();
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(stored);
    EXPECT_EQ(entry, SampleEntry());
}

TEST_F(EntryEditor, OkWithNeitherTextNorDateAddsNoEntryAndLeavesAnEditedOneAsItWas) {
    const auto clearBoth = [](HWND dialog) {
        SetControlText(dialog, kEntryTextFieldId, L" \t ");
        SetControlText(dialog, kDueFieldId, L"");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    HWND scheduled = MakeNote(TestNote{.id = 2, .type = kNoteScheduled});
    {
        ScriptedUser user;
        user.WhenShown(kEditEntryClass, clearBoth);
        AddEntryWithEditor(scheduled);
    }
    EXPECT_TRUE(NoteFromWindow(scheduled)->entries.empty());

    NoteEntry entry = SampleEntry();
    EXPECT_FALSE(Edit(entry, clearBoth));
    EXPECT_EQ(entry, SampleEntry());
}

}  // namespace

// The entry editor on a real dialog: its controls, what OK stores, the ways
// out that store nothing, its calendar button and where it opens.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "entries/date_time_picker.h"
#include "entries/entry_editor.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
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

TEST_F(EntryEditor, ShowsTheEntryOverItsOwnerWithTheTextSelectedAndItsControlsInTabOrder) {
    std::vector<std::u16string> texts;  // the dialog's, then its children's
    std::vector<int> tabOrder;          // from the text field on
    RECT rect{};
    int focus = 0;
    DWORD selectionEnd = 0;
    bool modal = false;
    NoteEntry entry = SampleEntry();
    Edit(entry, [&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        texts.push_back(WindowTextOf(dialog));
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            texts.push_back(WindowTextOf(child));
        }
        for (HWND stop = GetDlgItem(dialog, kEntryTextFieldId); tabOrder.size() < 5;) {
            tabOrder.push_back(GetDlgCtrlID(stop = GetNextDlgTabItem(dialog, stop, FALSE)));
        }
        focus = GetDlgCtrlID(GetFocus());
        SendMessageW(GetFocus(), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
        modal = ModalDialogActive();
        SaveScreenshotIfAsked(u"entry-editor", dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"Tâche cédulée", u"Texte :", u"Appeler Paul", u"Echeance :",
                                                  u"05/03/2024 14:30", u"", u"OK", u"Annuler"}));
    const RECT expected{230, 180, 580, 390};  // 30 pixels in from the owner's corner
    EXPECT_TRUE(EqualRect(&rect, &expected));
    EXPECT_EQ(tabOrder, (std::vector<int>{kDueFieldId, kCalendarButtonId, IDOK, IDCANCEL, kEntryTextFieldId}));
    EXPECT_EQ(focus, kEntryTextFieldId);
    EXPECT_EQ(selectionEnd, 12u);  // all of "Appeler Paul"
    EXPECT_TRUE(modal);
    EXPECT_FALSE(ModalDialogActive());
}

TEST_F(EntryEditor, OkStoresTheCleanedTextAndTheTypedDueOnly) {
    NoteEntry entry = SampleEntry();
    EXPECT_TRUE(Edit(entry, [](HWND dialog) {
        SetControlText(dialog, kEntryTextFieldId, L"Appeler|\tPaul");
        SetControlText(dialog, kDueFieldId, L"31/02/24 9:7");
        PostMessageW(GetDlgItem(dialog, kEntryTextFieldId), WM_KEYDOWN, VK_RETURN, 1);
    }));
    EXPECT_EQ(entry, (NoteEntry{5, 202402290907, 1, 1, 20240301, u"AppelerPaul"}));
}

TEST_F(EntryEditor, EveryWayOutButOkLeavesTheEntry) {
    const std::vector<std::function<void(HWND)>> exits = {
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, kEntryTextFieldId), WM_KEYDOWN, VK_ESCAPE, 1); },
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); },
        [](HWND dialog) { PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(337, 15)); },  // the cross
        [](HWND dialog) {
            PostMessageW(GetDlgItem(dialog, kEntryTextFieldId), WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
        },
    };
    for (size_t i = 0; i < exits.size(); ++i) {
        NoteEntry entry = SampleEntry();
        EXPECT_FALSE(Edit(entry, [&](HWND dialog) {
            SetControlText(dialog, kEntryTextFieldId, L"pas gardé");
            exits[i](dialog);
        })) << i;
        EXPECT_EQ(entry, SampleEntry()) << i;
        EXPECT_TRUE(IsWindowEnabled(owner_)) << i;
    }
}

TEST_F(EntryEditor, CalendarButtonPicksADateIntoTheFieldButOnlyOkKeepsIt) {
    RECT field{}, picker{};
    std::u16string pickerTime, afterPick, afterCancel;
    ScriptedUser user;
    user.WhenShown(kEditEntryClass, [&](HWND dialog) {
        GetWindowRect(GetDlgItem(dialog, kDueFieldId), &field);
        PostMessageW(GetDlgItem(dialog, kCalendarButtonId), BM_CLICK, 0, 0);
    });
    user.WhenShown(kPickerClass, [&](HWND popup) {
        GetWindowRect(popup, &picker);
        pickerTime = ControlText(popup, kHourFieldId) + u":" + ControlText(popup, kMinuteFieldId);
        // March 2024 starts on Friday: the 20th is in row 3, column 2.
        SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 144));
        PostMessageW(popup, WM_COMMAND, IDOK, 0);
    });
    user.WhenEnabled(kEditEntryClass, [&](HWND dialog) {
        afterPick = ControlText(dialog, kDueFieldId);
        PostMessageW(GetDlgItem(dialog, kCalendarButtonId), BM_CLICK, 0, 0);
    });
    user.WhenShown(kPickerClass, [](HWND popup) { PostMessageW(popup, WM_CLOSE, 0, 0); });
    user.WhenEnabled(kEditEntryClass, [&](HWND dialog) {
        afterCancel = ControlText(dialog, kDueFieldId);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    NoteEntry entry = SampleEntry();
    EXPECT_FALSE(ShowEntryEditor(owner_, kDefaultNoteColour, entry));
    EXPECT_EQ(picker.left, field.left);
    EXPECT_EQ(picker.top, field.bottom + 2);
    EXPECT_EQ(pickerTime, u"14:30");
    EXPECT_EQ(afterPick, u"20/03/2024 14:30");
    EXPECT_EQ(afterCancel, u"20/03/2024 14:30");
    EXPECT_EQ(entry, SampleEntry());
}

TEST_F(EntryEditor, ANoteNearTheBottomRightCornerKeepsTheEditorOnScreen) {
    const Rect work = WorkAreaNearWindow(owner_);
    SetWindowPos(owner_, nullptr, work.right - 100, work.bottom - 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect{};
    NoteEntry entry = SampleEntry();
    Edit(entry, [&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);
}

}  // namespace

// The date and time picker on a real popup: its arrows, day grid and spin
// fields, what OK gives, where it opens, and the modal flag it leaves alone.
#include <windows.h>

#include <functional>
#include <optional>

#include "entries/date_time_picker.h"
#include "entries/local_clock.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"

namespace {

std::u16string FieldText(HWND popup, int id) {
    return WindowTextOf(GetDlgItem(popup, id));
}

void SetField(HWND popup, int id, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(popup, id), text);
}

void Click(HWND popup, int x, int y) {
    SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

class DatePicker : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        owner_ = MakeNote(TestNote{});
    }

    // What the picker opened on `start` gives after `act`; none when cancelled.
    std::optional<DueStamp> Pick(DueStamp start, std::function<void(HWND)> act, POINT anchor = {300, 200}) {
        ScriptedUser user;
        user.WhenShown(kPickerClass, std::move(act));
        DueStamp value = start;
        if (ShowDateTimePicker(owner_, kDefaultNoteColour, anchor, value)) return value;
        EXPECT_EQ(value, start);
        return std::nullopt;
    }

    HWND owner_ = nullptr;
};

TEST_F(DatePicker, ArrowsDaysAndSpinFieldsMakeTheDateThatOkGives) {
    std::u16string spun, stepped;
    EXPECT_EQ(Pick(202401312300, [&](HWND popup) {
                  Click(popup, 205, 25);  // next month: February 2024, the 31st lowered to the 29th
                  SaveScreenshotIfAsked(u"date-picker", popup);
                  Click(popup, 85, 72);    // Wednesday of the first row: empty
                  Click(popup, 115, 72);   // Thursday: the 1st
                  Click(popup, 108, 217);  // hour up from 23
                  Click(popup, 178, 232);  // minute down from 00
                  spun = FieldText(popup, kHourFieldId) + u":" + FieldText(popup, kMinuteFieldId);
                  SetField(popup, kHourFieldId, L"99");
                  SetField(popup, kMinuteFieldId, L"99");
                  StepSpinField(popup, kHourFieldId, +1, 24);
                  StepSpinField(popup, kMinuteFieldId, +1, 60);
                  stepped = FieldText(popup, kHourFieldId) + u":" + FieldText(popup, kMinuteFieldId);
                  SetField(popup, kHourFieldId, L"99");
                  SetField(popup, kMinuteFieldId, L"");
                  Click(popup, 20, 25);  // previous month and back: still the 1st
                  Click(popup, 205, 25);
                  PostMessageW(GetDlgItem(popup, IDOK), BM_CLICK, 0, 0);
              }),
              202402012300);
    EXPECT_EQ(spun, u"00:59");
    EXPECT_EQ(stepped, u"04:40");
    EXPECT_EQ(Pick(202401151200, [](HWND popup) {
                  Click(popup, 20, 25);
                  PostMessageW(popup, WM_COMMAND, IDOK, 0);
              }),
              202312151200);
}

TEST_F(DatePicker, EscapeOrAnnulerKeepTheValueAndTheModalFlagAsFound) {
    for (bool flagBefore : {false, true}) {
        std::optional<ModalDialogScope> outer;
        if (flagBefore) outer.emplace();
        bool flagInside = !flagBefore;
        EXPECT_EQ(Pick(202403311015, [&](HWND popup) {
                      flagInside = ModalDialogActive();
                      Click(popup, 205, 25);
                      if (flagBefore) PostMessageW(GetDlgItem(popup, kHourFieldId), WM_KEYDOWN, VK_ESCAPE, 1);
                      if (!flagBefore) PostMessageW(GetDlgItem(popup, IDCANCEL), BM_CLICK, 0, 0);
                  }),
                  std::nullopt);
        EXPECT_EQ(flagInside, flagBefore);
        EXPECT_EQ(ModalDialogActive(), flagBefore);
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

TEST_F(DatePicker, OpensAtTheAnchorInsideTheWorkAreaOnItsValueOrNow) {
    const Rect work = WorkAreaNearWindow(owner_);
    RECT rect{};
    bool ownerEnabled = true;
    std::u16string time;
    const auto look = [&](HWND popup) {
        GetWindowRect(popup, &rect);
        ownerEnabled = IsWindowEnabled(owner_) != FALSE;
        time = FieldText(popup, kHourFieldId) + u":" + FieldText(popup, kMinuteFieldId);
        PostMessageW(popup, WM_COMMAND, IDOK, 0);
    };
    Pick(202403311015, look);
    const RECT atAnchor{300, 200, 530, 486};
    EXPECT_TRUE(EqualRect(&rect, &atAnchor));
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(time, u"10:15");

    Pick(202403311015, look, POINT{work.right - 10, work.bottom - 10});
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);

    const DueParts now = LocalNow();
    EXPECT_EQ(Pick(0, look).value_or(0) / 10000, (now.year * 100LL + now.month) * 100 + now.day);
}

}  // namespace

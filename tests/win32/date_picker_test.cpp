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
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"

namespace {

// The hour and minute fields, as "hh:mm".
std::u16string Time(HWND popup) {
    return WindowTextOf(GetDlgItem(popup, kHourFieldId)) + u":" + WindowTextOf(GetDlgItem(popup, kMinuteFieldId));
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

TEST_F(DatePicker, OpensAtTheAnchorOnItsValueOrTodayAndOkGivesTheDateOfItsArrowsDaysAndFields) {
    EXPECT_EQ(Pick(202401312300, [this](HWND popup) {
                  EXPECT_EQ(WindowRect(popup), (Rect{300, 200, 530, 486}));
                  EXPECT_FALSE(IsWindowEnabled(owner_));
                  EXPECT_EQ(Time(popup), u"23:00");
                  Click(popup, 205, 25);  // next month: February 2024, the 31st lowered to the 29th
                  SaveScreenshotIfAsked(u"date-picker", popup);
                  Click(popup, 85, 72);    // Wednesday of the first row: empty
                  Click(popup, 115, 72);   // Thursday: the 1st
                  Click(popup, 118, 217);  // hour up from 23
                  Click(popup, 188, 232);  // minute down from 00
                  EXPECT_EQ(Time(popup), u"00:59");
                  SetWindowTextW(GetDlgItem(popup, kHourFieldId), L"99");
                  SetWindowTextW(GetDlgItem(popup, kMinuteFieldId), L"");
                  Click(popup, 20, 25);  // previous month and back: still the 1st
                  Click(popup, 205, 25);
                  PostMessageW(GetDlgItem(popup, IDOK), BM_CLICK, 0, 0);
              }),
              202402012300);
    const DueParts now = LocalNow();
    EXPECT_EQ(Pick(0, [](HWND popup) { PostMessageW(popup, WM_COMMAND, IDOK, 0); }).value_or(0) / 10000,
              (now.year * 100LL + now.month) * 100 + now.day);
}

TEST_F(DatePicker, NearTheCornerStaysInTheWorkAreaAndEscapeOrAnnulerKeepTheValueAndTheModalFlagAsFound) {
    const Rect work = WorkAreaNearWindow(owner_);
    for (bool flagBefore : {false, true}) {
        std::optional<ModalDialogScope> outer;
        if (flagBefore) outer.emplace();
        EXPECT_EQ(Pick(202403311015, [&](HWND popup) {
                      EXPECT_EQ(ModalDialogActive(), flagBefore);
                      EXPECT_EQ(WindowRect(popup).right, work.right);
                      EXPECT_EQ(WindowRect(popup).bottom, work.bottom);
                      Click(popup, 205, 25);
                      if (flagBefore) PostMessageW(GetDlgItem(popup, kHourFieldId), WM_KEYDOWN, VK_ESCAPE, 1);
                      if (!flagBefore) PostMessageW(GetDlgItem(popup, IDCANCEL), BM_CLICK, 0, 0);
                  }, POINT{work.right - 10, work.bottom - 10}),
                  std::nullopt);
        EXPECT_EQ(ModalDialogActive(), flagBefore);
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

}  // namespace

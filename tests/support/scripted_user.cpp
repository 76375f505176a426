#include "support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/program_names.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr UINT kTickMs = 10;
constexpr auto kStallTimeout = std::chrono::milliseconds(5000);
constexpr int kGreenOffset = 1;
constexpr int kBlueOffset = 2;

ScriptedUser* activeUser = nullptr;

int ColourField(HWND dialog, int offset) {
    return static_cast<int>(GetDlgItemInt(dialog, kColourDialogRedField + offset, nullptr, FALSE));
}

void ClickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The colour dialog's title, the colour it shows and whether its red, green
// and blue fields are open.
Seen ReadColourDialog(HWND dialog) {
    Seen seen;
    seen.shown = true;
    seen.title = WindowTextOf(dialog);
    seen.colour = RGB(ColourField(dialog, 0), ColourField(dialog, kGreenOffset), ColourField(dialog, kBlueOffset));
    seen.customPartOpen = IsWindowVisible(GetDlgItem(dialog, kColourDialogRedField)) != FALSE;
    return seen;
}

Seen ReadTextInput(HWND dialog) {
    return Seen{true, WindowTextOf(dialog), ControlTextOf(GetDlgItem(dialog, kTextInputEdit))};
}

BOOL CALLBACK ReadMessageBoxChild(HWND child, LPARAM parameter) {
    auto* seen = reinterpret_cast<Seen*>(parameter);
    const std::u16string className = ClassNameOf(child);
    if (className == u"Button") {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            seen->defaultButton = GetDlgCtrlID(child);
        }
    } else if (className == u"Static") {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            seen->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        } else if (seen->text.empty()) {
            seen->text = ControlTextOf(child);
        }
    }
    return TRUE;
}

// The message box's title, text, icon and default button.
Seen ReadMessageBox(HWND box) {
    Seen seen{true, WindowTextOf(box)};
    EnumChildWindows(box, ReadMessageBoxChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

}  // namespace

ScriptedUser::ScriptedUser(DWORD processId) : processId_(processId), lastProgress_(std::chrono::steady_clock::now()) {
    EXPECT_EQ(activeUser, nullptr) << "one scripted user at a time";
    activeUser = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, &ScriptedUser::OnTimer);
}

ScriptedUser::~ScriptedUser() {
    KillTimer(nullptr, timer_);
    activeUser = nullptr;
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted steps were never taken";
}

void CALLBACK ScriptedUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeUser) activeUser->Tick();
}

void ScriptedUser::Tick() {
    if (inTick_) return;  // a step that pumps messages itself
    inTick_ = true;
    std::erase_if(answered_, [](HWND window) { return !IsWindow(window); });
    const auto now = std::chrono::steady_clock::now();
    if (!steps_.empty() && steps_.front()()) {
        steps_.pop_front();
        lastProgress_ = now;
    } else if (!AnythingOpen()) {
        lastProgress_ = now;
    } else if (now - lastProgress_ > kStallTimeout) {
        ADD_FAILURE() << "a menu or dialog stayed open; " << steps_.size() << " scripted steps were left";
        steps_.clear();
        CloseEverythingOpen();
        lastProgress_ = now;
    }
    inTick_ = false;
}

bool ScriptedUser::IsAnswered(HWND window) const {
    return std::find(answered_.begin(), answered_.end(), window) != answered_.end();
}

std::vector<HWND> ScriptedUser::OpenMenus() const {
    return VisibleWindows(processId_, kMenuClass);
}

HWND ScriptedUser::TextInput() const {
    for (HWND dialog : VisibleWindows(processId_, kTextInputClass)) {
        if (Fresh(dialog)) return dialog;
    }
    return nullptr;
}

HWND ScriptedUser::ColourDialog() const {
    for (HWND dialog : VisibleWindows(processId_, kDialogClass)) {
        if (Fresh(dialog) && GetDlgItem(dialog, kColourDialogRedField)) return dialog;
    }
    return nullptr;
}

HWND ScriptedUser::MessageBoxWindow() const {
    for (HWND box : VisibleWindows(processId_, kDialogClass)) {
        if (Fresh(box) && !GetDlgItem(box, kColourDialogRedField)) return box;
    }
    return nullptr;
}

bool ScriptedUser::AnythingOpen() const {
    const auto shown = [this](const wchar_t* className) { return !VisibleWindows(processId_, className).empty(); };
    return !OpenMenus().empty() || shown(kDialogClass) || shown(kTextInputClass) ||
           std::any_of(watchedClasses_.begin(), watchedClasses_.end(), shown);
}

void ScriptedUser::CloseEverythingOpen() {
    if (!OpenMenus().empty()) {
        if (processId_ == GetCurrentProcessId()) {
            EndMenu();
        } else {
            PressKeys(std::vector<WORD>(OpenMenus().size(), VK_ESCAPE));
        }
    }
    for (HWND box : TopLevelWindows(processId_, kDialogClass)) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    for (HWND input : TopLevelWindows(processId_, kTextInputClass)) PostMessageW(input, WM_CLOSE, 0, 0);
    for (const wchar_t* className : watchedClasses_) {
        for (HWND window : TopLevelWindows(processId_, className)) PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

void ScriptedUser::Watch(const wchar_t* className) {
    const auto same = [className](const wchar_t* watched) { return lstrcmpiW(watched, className) == 0; };
    if (std::none_of(watchedClasses_.begin(), watchedClasses_.end(), same)) watchedClasses_.push_back(className);
}

void ScriptedUser::Then(Step step) {
    steps_.push_back(std::move(step));
}

void ScriptedUser::WhenMenusOpen(size_t depth, std::vector<WORD> keys, std::function<void()> look) {
    Then([this, depth, keys, look] {
        if (OpenMenus().size() != depth) return false;
        if (look) look();
        PressKeys(keys);
        return true;
    });
}

void ScriptedUser::WhenShown(const wchar_t* className, std::function<void(HWND)> act) {
    ActOnWindow(className, std::move(act), [this](HWND window) { return Fresh(window); });
}

void ScriptedUser::WhenEnabled(const wchar_t* className, std::function<void(HWND)> act) {
    ActOnWindow(className, std::move(act), [](HWND window) { return IsWindowEnabled(window) != FALSE; });
}

void ScriptedUser::ActOnWindow(const wchar_t* className, std::function<void(HWND)> act,
                               std::function<bool(HWND)> ready) {
    Watch(className);
    Then([this, className, act, ready] {
        for (HWND window : VisibleWindows(processId_, className)) {
            if (!ready(window)) continue;
            MarkAnswered(window);
            act(window);
            return true;
        }
        return false;
    });
}

void ScriptedUser::Answer(HWND (ScriptedUser::*find)() const, Seen (*read)(HWND), Seen* seen,
                          std::function<void(HWND)> act) {
    Then([this, find, read, seen, act] {
        HWND dialog = (this->*find)();
        if (!dialog) return false;
        if (seen) *seen = read(dialog);
        MarkAnswered(dialog);
        act(dialog);
        return true;
    });
}

void ScriptedUser::AnswerTextInput(const std::u16string& typed, Seen* seen) {
    Answer(&ScriptedUser::TextInput, ReadTextInput, seen, [typed](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, kTextInputEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(typed)));
        ClickButton(dialog, IDOK);
    });
}

void ScriptedUser::CancelTextInput(Seen* seen) {
    Answer(&ScriptedUser::TextInput, ReadTextInput, seen, [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
}

void ScriptedUser::AnswerColour(std::optional<COLORREF> chosen, Seen* seen) {
    Answer(&ScriptedUser::ColourDialog, ReadColourDialog, seen, [chosen](HWND dialog) {
        if (chosen) {
            SetDlgItemInt(dialog, kColourDialogRedField, GetRValue(*chosen), FALSE);
            SetDlgItemInt(dialog, kColourDialogRedField + kGreenOffset, GetGValue(*chosen), FALSE);
            SetDlgItemInt(dialog, kColourDialogRedField + kBlueOffset, GetBValue(*chosen), FALSE);
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
}

void ScriptedUser::CancelColour(Seen* seen) {
    Answer(&ScriptedUser::ColourDialog, ReadColourDialog, seen,
           [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
}

void ScriptedUser::AnswerMessageBox(UINT command, Seen* seen) {
    Answer(&ScriptedUser::MessageBoxWindow, ReadMessageBox, seen,
           [command](HWND box) { PostMessageW(box, WM_COMMAND, command, 0); });
}

bool ScriptedUser::WaitUntilDone(std::chrono::milliseconds timeout) {
    return PumpUntil([this] { return steps_.empty(); }, timeout);
}

#include "ui_script.h"

#include <deque>

#include "entries/date_time_picker.h"
#include "entries/entry_editor.h"
#include "support/screen_picture.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "ui/owner_draw_menu.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr UINT kMenuGetHandle = 0x01E1;  // MN_GETHMENU
constexpr const wchar_t* kDialogClasses[] = {kDateTimePickerClass, kEntryEditorClass, L"#32770"};

std::deque<std::function<bool()>> steps;
UINT_PTR stepTimer = 0;
UINT_PTR watchdogTimer = 0;

HWND ShownWindowOfClass(const wchar_t* className) {
    for (HWND window : WindowsOfClass(className)) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) return window;
    }
    return nullptr;
}

// A step that pumps messages itself must not be run again from inside.
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    static bool running = false;
    if (running || steps.empty()) return;
    running = true;
    const bool taken = steps.front()();
    running = false;
    if (taken) steps.pop_front();
}

bool CloseEverythingOpen() {
    bool open = ShownWindowOfClass(kMenuClass) != nullptr;
    if (open) EndMenu();
    for (const wchar_t* dialog : kDialogClasses) {
        for (HWND window : WindowsOfClass(dialog)) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            open = true;
        }
    }
    return open;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    const size_t left = steps.size();
    steps.clear();
    if (CloseEverythingOpen() || left > 0) ADD_FAILURE() << "a menu or dialog was left open, or " << left << " steps";
}

LRESULT CALLBACK RefuseNotes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && ClassNameOf(reinterpret_cast<HWND>(wParam)) == u"QuillboardNote") return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The screen shows at a few points of the window what the window painted.
bool IsOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const WindowDc windowDc(window);
    const WindowDc screenDc(nullptr);
    for (int part = 1; part < 8; ++part) {
        POINT point{client.right * part / 8, client.bottom * part / 8};
        const COLORREF painted = GetPixel(windowDc.Get(), point.x, point.y);
        ClientToScreen(window, &point);
        if (GetPixel(screenDc.Get(), point.x, point.y) != painted) return false;
    }
    return true;
}

}  // namespace

UiScript::UiScript() {
    stepTimer = SetTimer(nullptr, 0, 10, RunStep);
    watchdogTimer = SetTimer(nullptr, 0, 5000, Watchdog);
}

UiScript::~UiScript() {
    KillTimer(nullptr, stepTimer);
    KillTimer(nullptr, watchdogTimer);
    if (!steps.empty()) ADD_FAILURE() << steps.size() << " steps were never taken";
    steps.clear();
    if (CloseEverythingOpen()) PumpPending();
}

void UiScript::WhenShown(const wchar_t* className, std::function<void(HWND)> act) {
    steps.push_back([className, act] {
        HWND window = ShownWindowOfClass(className);
        if (window) act(window);
        return window != nullptr;
    });
}

void UiScript::WhenMenuShown(std::vector<WORD> keys, std::function<void(HMENU)> look) {
    WhenShown(kMenuClass, [keys, look](HWND menu) {
        if (look) look(reinterpret_cast<HMENU>(SendMessageW(menu, kMenuGetHandle, 0, 0)));
        PressKeys(keys);
    });
}

std::vector<std::u16string> MenuTexts(HMENU menu) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        texts.push_back(info.dwItemData ? reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData)->text : u"");
    }
    return texts;
}

NoteCreationBlocked::NoteCreationBlocked()
    : hook_(SetWindowsHookExW(WH_CBT, RefuseNotes, nullptr, GetCurrentThreadId())) {}

NoteCreationBlocked::~NoteCreationBlocked() {
    UnhookWindowsHookEx(hook_);
}

void SaveScreenshotIfAsked(const std::u16string& name, HWND shown) {
    if (ScreenshotFolder().empty()) return;
    UpdateWindow(shown);
    // A window can reach the screen a moment after it has painted itself.
    PumpUntil([shown] { return IsOnScreen(shown); });
    SaveScreenshotIfAsked(name);
}

#include "app/tray_window.h"

#include "app/daily_backup.h"
#include "app/new_note_handoff.h"
#include "app/program_commands.h"
#include "app/program_state.h"
#include "app/step_trace.h"
#include "app/quit_question.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "entries/local_clock.h"
#include "notes/note_passes.h"
#include "notes/note_sync.h"
#include "reminders/due_scan.h"
#include "settings/shortcuts.h"

namespace {

void OnTimer(HWND window, WPARAM timerId) {
    if (timerId == kScanTimerId) {
        CatchUpWithCategoriesFile();  // when it could not be read at start
        RetryFailedSaves();
        ScanDataFolder();  // a change the folder's watch missed
        ScanDueEntries();
        LookAtBackupsOncePerDay(window, LocalMoment());
    } else if (timerId == kTrayIconRetryTimerId) {
        OnTrayIconRetryTimer(window);
    }
}

// The icon's callback in its classic form: the mouse or keyboard message is
// the low word of lParam.
void OnTrayIconEvent(HWND window, UINT event) {
    switch (event) {
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        ShowTrayMenu(window);
        break;
    case WM_LBUTTONDBLCLK:
        RunProgramCommand(window, CommandId::NewNote, true);
        break;
    default:
        break;  // a single click or a mouse move does nothing
    }
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (const auto command = TrayMenuCommand(LOWORD(wParam))) {
            RunProgramCommand(window, *command, lParam != kQuitWithoutQuestion);
        }
        return 0;
    case WM_COPYDATA:
        return OnNewNoteRequest(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_TRAYICON:
        OnTrayIconEvent(window, LOWORD(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(window, wParam);
        return 0;
    case WM_BACKUP_STEP:
        ContinueDailyBackup(window);
        return 0;
    case WM_HOTKEY:
        if (const auto command = HotKeyCommand(wParam)) RunProgramCommand(window, *command, true);
        return 0;
    case WM_QUERYENDSESSION:
        // Text typed but not yet saved would be lost at log-off otherwise.
        // Never a question here: the session ends whatever the answer.
        ReadyToQuit(window, false);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) ReadyToQuit(window, false);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kScanTimerId);
        UnregisterGlobalHotKeys();
        TraceStep("quit: removing the tray icon");
        RemoveTrayIcon();
        TraceStep("quit: tray icon removed");
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (CurrentAppShellState().taskbarCreatedMessage != 0 && message == CurrentAppShellState().taskbarCreatedMessage) {
        // The new taskbar does not know the icon; nothing to remove first.
        AddTrayIcon(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterTaskbarCreatedMessage() {
    CurrentAppShellState().taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
}

HWND CreateTrayWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TrayWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered

    return CreateWindowExW(0, kTrayWindowClass, L"Quillboard", 0, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

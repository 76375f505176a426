#include "app/startup.h"

#include "app/splash.h"
#include "app/tray_icon.h"
#include "app/tray_window.h"
#include "categories/category_menu.h"
#include "categories/category_passes.h"
#include "i18n/translation.h"
#include "notes/note_loading.h"
#include "notes/note_window.h"
#include "settings/note_shortcut_filter.h"
#include "storage/category_storage.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"Quillboard_SingleInstance_Mutex";

// Owns the named mutex for the life of the process. Returns false when
// another copy already holds it; a mutex that cannot be made at all is no
// reason not to run.
bool ClaimSingleInstance(UniqueHandle& mutex) {
    mutex.Reset(CreateMutexW(nullptr, TRUE, kSingleInstanceMutex));
    return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

void ShowAlreadyRunning() {
    MessageBoxW(nullptr, Wide(Translate(u"Quillboard est deja en cours d'execution.")), L"Quillboard",
                MB_ICONINFORMATION);
}

int RunMessageLoop() {
    MSG message{};
    // A -1 result is treated like any message; only WM_QUIT ends the loop.
    while (GetMessageW(&message, nullptr, 0, 0) != 0) {
        if (NoteShortcutFilter(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunQuillboard(HINSTANCE instance) {
    SetModuleInstance(instance);

    UniqueHandle mutex;
    if (!ClaimSingleInstance(mutex)) {
        ShowAlreadyRunning();
        return 0;
    }

    ShowSplash(instance);  // does not block: start-up goes on while it shows
    RegisterTaskbarCreatedMessage();
    HWND tray = CreateTrayWindow(instance);
    if (!tray) return 0;
    SetTrayWindow(tray);
    AddTrayIcon(tray);
    LoadCategories();
    SetNoteMenuHandler(ShowCategoryMenu);
    // Notes whose category was deleted or recoloured meanwhile follow the store.
    if (LoadAllNotes(instance)) RefreshNotesAfterCategoryChange();

    SetTimer(tray, kScanTimerId, kScanTimerPeriodMs, nullptr);

    return RunMessageLoop();
}

#include "app/startup.h"

#include "app/command_line_message.h"
#include "app/core/command_line.h"
#include "app/core/single_instance_rule.h"
#include "app/daily_backup.h"
#include "app/data_folder_at_start.h"
#include "app/exit_codes.h"
#include "app/new_note_handoff.h"
#include "app/new_note_sending.h"
#include "app/notes_export.h"
#include "app/program_state.h"
#include "app/splash.h"
#include "app/step_trace.h"
#include "app/tray_icon.h"
#include "app/tray_window.h"
#include "categories/category_menu.h"
#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_sync.h"
#include "notes/note_window.h"
#include "notes/notes_state.h"
#include "reminders/due_scan.h"
#include "reminders/notification_sound.h"
#include "settings/language_choice.h"
#include "settings/note_shortcut_filter.h"
#include "settings/shortcuts.h"
#include "storage/category_storage.h"
#include "storage/data_directory.h"
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
    const DWORD error = GetLastError();
    return ClassifyInstanceClaim(static_cast<bool>(mutex), error) != InstanceClaim::AlreadyRunning;
}

void ShowAlreadyRunning() {
    MessageBoxW(nullptr, Wide(Translate(u"Quillboard est deja en cours d'execution.")), L"Quillboard",
                MB_ICONINFORMATION);
}

// The problem, the argument it is about, then how to call the program.
void TellCommandProblem(const Command& command) {
    std::u16string text = Translate(command.problem);
    // Appended piece by piece: GCC 12 warns wrongly on a chain of '+'.
    if (!command.detail.empty()) {
        text += u' ';
        text += command.detail;
    }
    text += u'\n';
    for (const char16_t* line : UsageLines()) {
        text += u'\n';
        text += Translate(line);
    }
    TellCommandLineUser(text);
}

NewNoteRequest RequestOf(const Command& command) {
    return NewNoteRequest{command.text, command.category};
}

// Handles every message waiting; false once the quit message came, with its
// exit code.
bool DispatchWaitingMessages(int& exitCode) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            exitCode = static_cast<int>(message.wParam);
            return false;
        }
        if (NoteShortcutFilter(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

// Messages, and changes in the data folder: a note changed by a sync service
// shows at once, not at the next 30-second tick.
int RunMessageLoop() {
    NotesState& notes = CurrentNotesState();
    int exitCode = 0;
    for (;;) {
        HANDLE watches[2];
        DWORD count = 0;
        for (const UniqueChangeNotification* watch : {&notes.notesFolderWatch, &notes.dataFolderWatch}) {
            if (watch->Valid()) watches[count++] = watch->Get();
        }
        const DWORD woken = MsgWaitForMultipleObjectsEx(count, watches, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + count) {
            FindNextChangeNotification(watches[woken - WAIT_OBJECT_0]);
            ScanDataFolder();
        }
        if (!DispatchWaitingMessages(exitCode)) return exitCode;
    }
}

}  // namespace

int RunQuillboard(HINSTANCE instance, const std::u16string& commandLine) {
    ProgramState state;
    const ProgramStateBinding bound(state);
    StartStepTrace();
    TraceStep("start");
    // Read before the language, whose translation files live in the data folder.
    StartFolder dataFolder = ReadDataFolderChoice();
    ChooseLanguageAtStart();  // early, so that even the "already running" box is translated

    const Command command = ParseCommand(CommandLineArguments(commandLine));
    if (command.kind == CommandKind::Invalid) {
        TellCommandProblem(command);
        return kCommandBadArguments;
    }
    // Reads the files the running copy saved, if one runs: no need to claim anything.
    if (command.kind == CommandKind::Export) return ExportNotes(command.file, dataFolder);
    const bool newNote = command.kind == CommandKind::NewNote;

    UniqueHandle mutex;
    if (!ClaimSingleInstance(mutex)) {
        // A second copy leaves without writing anything.
        if (newNote) return HandNewNoteToRunningCopy(RequestOf(command));
        ShowAlreadyRunning();
        return 0;
    }
    if (!WaitForDataFolder(dataFolder)) return 0;  // the user quit: nothing was written
    // A category that does not exist is refused before anything is written.
    if (newNote && !command.category.empty()) {
        if (LoadCategories() == CategoriesFileState::Unreadable || !CheckRequestedCategory(command.category)) {
            return kCommandBadArguments;
        }
    }
    EnsureDataFolders();
    WriteLanguageFilesAtStart();
    TraceStep("language and data folder");

    ShowSplash(instance);  // does not block: start-up goes on while it shows
    TraceStep("splash");
    RegisterTaskbarCreatedMessage();
    HWND tray = CreateTrayWindow(instance);
    if (!tray) return 0;
    AddTrayIconOrRetry(tray);
    TraceStep("tray icon");
    const bool categoriesRead = LoadCategories() != CategoriesFileState::Unreadable;
    SetNoteMenuHandler(ShowCategoryMenu);
    // Notes whose category was deleted or recoloured meanwhile follow the
    // store; not while the file cannot be read, when the store is empty only
    // for that reason (the tray's timer catches up once it can be read).
    if (LoadAllNotes(instance) && categoriesRead) RefreshNotesAfterCategoryChange();
    TraceStep("notes loaded");
    SetNoteFileChangedHandler(ReconcileNoteWithFile);
    ScanDataFolder();  // clash copies a sync service left while the program was not running
    StartWatchingDataFolder();

    // Read before the first scan, so that the toasts it raises play with the
    // stored settings.
    LoadSoundSettings();
    ScanDueEntries();  // entries that fell due while the program was not running
    SetTimer(tray, kScanTimerId, kScanTimerPeriodMs, nullptr);
    LookAtBackupsOncePerDay(tray, LocalMoment());  // in steps, once the loop runs
    LoadShortcuts();
    RegisterGlobalHotKeys(tray);
    if (newNote) MakeRequestedNote(RequestOf(command));
    TraceStep("ready");

    const int exitCode = RunMessageLoop();
    TraceStep("quit: message loop ended");
    return exitCode;
}

// Everything the program keeps for its whole run, in one object. Start-up
// makes one and binds it for the run; each test binds a fresh one. Each
// layer reads its own part through its accessor (base/state_slot.h):
//   win        WinState          GDI+ started
//   storage    StorageState      categories and their file, unsaved files, note ids
//   i18n       TranslationTable  the active language's texts
//   ui         UiState           modal dialog flag, shared fonts, custom colours
//   entries    EntriesState      the entry editor's fonts
//   notes      NotesState        cascade counter, move loop, the note menu's handler
//   reminders  RemindersState    sound settings and sound, toasts, last scan date
//   settings   PreferencesState  shortcuts and their hot-key window, language
//   app        AppShellState     tray icon, splash logo, taskbar message, the day's backup
#pragma once

#include "app/app_state.h"
#include "entries/entries_state.h"
#include "i18n/core/translation.h"
#include "notes/notes_state.h"
#include "reminders/reminders_state.h"
#include "settings/preferences_state.h"
#include "storage/storage_state.h"
#include "ui/ui_state.h"
#include "win/win_state.h"

struct ProgramState {
    WinState win;
    StorageState storage;
    TranslationTable translations;
    UiState ui;
    EntriesState entries;
    NotesState notes;
    RemindersState reminders;
    PreferencesState preferences;
    AppShellState app;
};

// Binds every part of a state for its own lifetime, and the parts bound
// before again afterwards.
class ProgramStateBinding {
public:
    explicit ProgramStateBinding(ProgramState& state);
    ProgramStateBinding(const ProgramStateBinding&) = delete;
    ProgramStateBinding& operator=(const ProgramStateBinding&) = delete;

private:
    StateBinding<WinState> win_;
    StateBinding<StorageState> storage_;
    StateBinding<TranslationTable> translations_;
    StateBinding<UiState> ui_;
    StateBinding<EntriesState> entries_;
    StateBinding<NotesState> notes_;
    StateBinding<RemindersState> reminders_;
    StateBinding<PreferencesState> preferences_;
    StateBinding<AppShellState> app_;
};

// The application shell's own part.
inline AppShellState& CurrentAppShellState() {
    return StateSlot<AppShellState>::Get();
}

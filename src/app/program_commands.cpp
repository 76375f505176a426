#include "app/program_commands.h"

#include "app/quit_question.h"
#include "app/start_with_windows.h"
#include "notes/note_creation.h"
#include "notes/note_passes.h"
#include "notes/restore_window.h"
#include "settings/settings_window.h"

void RunProgramCommand(HWND trayWindow, CommandId command, bool mayAsk) {
    switch (command) {
    case CommandId::NewNote:
        CreateNewNote(nullptr);
        break;
    case CommandId::DockAllNotes:
        DockAllNotes();
        break;
    case CommandId::UndockAllNotes:
        UndockAllNotes();
        break;
    case CommandId::OpenSettings:
        OpenSettingsWindow(trayWindow);
        break;
    case CommandId::StartWithWindows:
        SetStartWithWindows(!IsStartWithWindowsEnabled());
        break;
    case CommandId::OpenRestoreWindow:
        OpenRestoreWindow(trayWindow);
        break;
    case CommandId::Quit:
        if (ReadyToQuit(trayWindow, mayAsk)) DestroyWindow(trayWindow);
        break;
    default:
        break;
    }
}

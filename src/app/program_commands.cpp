#include "app/program_commands.h"

#include "app/quit_question.h"
#include "app/start_with_windows.h"
#include "storage/core/note_record.h"
#include "win/clipboard_text.h"
#include "notes/note_creation.h"
#include "notes/note_passes.h"
#include "notes/restore_window.h"
#include "search/find_window.h"
#include "settings/settings_window.h"

namespace {

// A clipboard without text (a picture, nothing) makes no empty note: the
// user meant to keep a text, and an empty note would hide that none came.
void NoteFromClipboard(HWND trayWindow) {
    const std::optional<std::u16string> text = ReadClipboardText(trayWindow);
    if (!text || IsBlankText(*text)) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    CreateNoteWithText(*text, 0, 0);
}

}  // namespace

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
    case CommandId::FindNotes:
        OpenFindWindow(trayWindow);
        break;
    case CommandId::NoteFromClipboard:
        NoteFromClipboard(trayWindow);
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

// The one list of the commands the user gives from the keyboard or the tray
// menu. The shortcut table, the global hot keys, the note shortcut filter
// and the tray menu all name their commands from it.
#pragma once

#include <cstdint>

// "shortcuts.txt" stores these numbers and the global hot keys are
// registered under them, so they never change: 1..14 are the first shortcut
// rows, in their order, and 17 and 18 the global rows added later.
enum class CommandId : std::int32_t {
    // For the whole program: global hot keys and tray menu items.
    NewNote = 1,
    DockAllNotes = 2,
    UndockAllNotes = 3,
    OpenSettings = 4,
    FindNotes = 17,
    NoteFromClipboard = 18,
    // For the note that has the keyboard focus.
    CategoryMenu = 5,
    ToggleType = 6,
    TogglePin = 7,
    ChooseColour = 8,
    AddEntry = 9,
    DockLeft = 10,
    DockTop = 11,
    DockRight = 12,
    Undock = 13,
    DeleteNote = 14,
    // For the whole program, from the tray menu only.
    StartWithWindows = 15,
    Quit = 16,
    // The restore window (bin and backups), from the tray menu only.
    OpenRestoreWindow = 40,
};

// The number a command is stored and registered under.
constexpr std::int32_t CommandNumber(CommandId command) {
    return static_cast<std::int32_t>(command);
}

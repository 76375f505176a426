#include "settings/note_shortcut_filter.h"

#include <cstdint>
#include <limits>

#include "categories/category_menu.h"
#include "notes/docking.h"
#include "notes/entry_list.h"
#include "notes/note_commands.h"
#include "notes/note_removal.h"
#include "notes/note_window_state.h"
#include "settings/core/command_ids.h"
#include "settings/shortcuts.h"

namespace {

// The category menu opens over the note's title band.
constexpr int kCategoryMenuOffsetX = 50;
constexpr int kCategoryMenuOffsetY = 30;

void ShowCategoryMenuOverNote(HWND noteWindow) {
    RECT rect{};
    GetWindowRect(noteWindow, &rect);
    ShowCategoryMenu(noteWindow, rect.left + kCategoryMenuOffsetX, rect.top + kCategoryMenuOffsetY);
}

void RunNoteCommand(CommandId command, HWND noteWindow, const Note& note) {
    switch (command) {
        case CommandId::CategoryMenu:
            ShowCategoryMenuOverNote(noteWindow);
            break;
        case CommandId::ToggleType:
            // A scheduled note and a placeholder both become regular.
            SetNoteType(noteWindow, note.type == kNoteRegular ? kNoteScheduled : kNoteRegular);
            break;
        case CommandId::TogglePin:
            TogglePin(noteWindow);
            break;
        case CommandId::ChooseColour:
            PickNoteColour(noteWindow);
            break;
        case CommandId::AddEntry:
            if (note.type == kNoteScheduled) AddEntryWithEditor(noteWindow);
            break;
        case CommandId::DockLeft:
            DockNote(noteWindow, kDockLeft);
            break;
        case CommandId::DockTop:
            DockNote(noteWindow, kDockTop);
            break;
        case CommandId::DockRight:
            DockNote(noteWindow, kDockRight);
            break;
        case CommandId::Undock:
            UndockNote(noteWindow);
            break;
        case CommandId::DeleteNote:
            DeleteNote(noteWindow);
            break;
        default:
            break;  // the program's commands are the tray window's
    }
}

}  // namespace

bool NoteShortcutFilter(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (message.wParam > std::numeric_limits<std::uint32_t>::max()) return false;
    const auto key = static_cast<std::uint32_t>(message.wParam);
    if (IsModifierKey(key)) return false;
    const std::uint32_t modifiers = CurrentModifiers();
    if (modifiers == 0) return false;

    const ShortcutTable& table = Shortcuts();
    const int row = FindNoteShortcut(table, key, modifiers);
    if (row < 0) return false;

    // The note that owns the keyboard focus, whether the key went to the
    // note itself or to its text box.
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!root || !IsNoteWindow(root)) return false;

    const Note* note = NoteFromWindow(root);
    if (note) RunNoteCommand(table[static_cast<std::size_t>(row)].id, root, *note);
    return true;
}

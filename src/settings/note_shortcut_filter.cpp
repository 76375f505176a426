#include "settings/note_shortcut_filter.h"

#include <cstdint>
#include <limits>

#include "categories/category_menu.h"
#include "notes/docking.h"
#include "notes/entry_list.h"
#include "notes/note_commands.h"
#include "notes/note_removal.h"
#include "notes/note_window_state.h"
#include "settings/shortcuts.h"

namespace {

// The category menu opens over the note's title band.
constexpr int kCategoryMenuOffsetX = 50;
constexpr int kCategoryMenuOffsetY = 30;

// Command ids of the note rows.
enum NoteCommandId : std::int32_t {
    kCategoryMenu = 5,
    kToggleType = 6,
    kTogglePin = 7,
    kChooseColour = 8,
    kAddEntry = 9,
    kDockLeftCommand = 10,
    kDockTopCommand = 11,
    kDockRightCommand = 12,
    kUndockCommand = 13,
    kDeleteCommand = 14,
};

void ShowCategoryMenuOverNote(HWND noteWindow) {
    RECT rect{};
    GetWindowRect(noteWindow, &rect);
    ShowCategoryMenu(noteWindow, rect.left + kCategoryMenuOffsetX, rect.top + kCategoryMenuOffsetY);
}

void RunNoteCommand(std::int32_t id, HWND noteWindow, const Note& note) {
    switch (id) {
        case kCategoryMenu:
            ShowCategoryMenuOverNote(noteWindow);
            break;
        case kToggleType:
            // A scheduled note and a placeholder both become regular.
            SetNoteType(noteWindow, note.type == kNoteRegular ? kNoteScheduled : kNoteRegular);
            break;
        case kTogglePin:
            TogglePin(noteWindow);
            break;
        case kChooseColour:
            PickNoteColour(noteWindow);
            break;
        case kAddEntry:
            if (note.type == kNoteScheduled) AddEntryWithEditor(noteWindow);
            break;
        case kDockLeftCommand:
            DockNote(noteWindow, kDockLeft);
            break;
        case kDockTopCommand:
            DockNote(noteWindow, kDockTop);
            break;
        case kDockRightCommand:
            DockNote(noteWindow, kDockRight);
            break;
        case kUndockCommand:
            UndockNote(noteWindow);
            break;
        case kDeleteCommand:
            DeleteNote(noteWindow);
            break;
        default:
            break;
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

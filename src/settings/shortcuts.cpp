#include "settings/shortcuts.h"

#include "settings/core/shortcuts_file.h"
#include "settings/preferences_state.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"

namespace {

constexpr char16_t kShortcutsFile[] = u"shortcuts.txt";
// A line per shortcut, short; anything past this is not a file the program wrote.
constexpr std::uint64_t kMaxShortcutsFileBytes = 64 * 1024;
constexpr UINT kModifierNoRepeat = 0x4000;  // MOD_NOREPEAT: one WM_HOTKEY per press
constexpr std::uint32_t kKnownModifiers = kModifierAlt | kModifierCtrl | kModifierShift;
// Virtual-key codes run from 1 to 254; the file may hold any number.
constexpr std::uint32_t kLastVirtualKey = 0xFE;

bool IsKeyDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

ShortcutTable& Shortcuts() {
    return CurrentPreferencesState().shortcuts;
}

void LoadShortcuts() {
    ParseShortcutsFile(ReadTextFileStart(MachineFilePath(kShortcutsFile), kMaxShortcutsFileBytes), Shortcuts());
}

bool SaveShortcuts() {
    const bool saved = WriteFileAtomic(MachineFilePath(kShortcutsFile), EncodeUtf8(FormatShortcutsFile(Shortcuts())));
    RecordFileSave(kShortcutsFile, SaveShortcuts, saved, saved ? 0 : GetLastError());
    return saved;
}

void RegisterGlobalHotKeys(HWND window) {
    HWND& hotKeyWindow = CurrentPreferencesState().hotKeyWindow;
    if (window) hotKeyWindow = window;
    // Hot keys of no window would go to whatever thread message loop runs.
    if (!hotKeyWindow) return;
    for (Shortcut& shortcut : Shortcuts()) {
        if (!shortcut.global) continue;
        const int hotKeyId = CommandNumber(shortcut.id);
        UnregisterHotKey(hotKeyWindow, hotKeyId);
        shortcut.registrationFailed = false;
        if (shortcut.key == 0) continue;
        // Only the modifiers the settings window shows: a stray bit from the
        // file (the Windows key, say) would register a combination other
        // than the one displayed.
        const UINT modifiers = (shortcut.modifiers & kKnownModifiers) | kModifierNoRepeat;
        // A code no keyboard sends is not handed to the system: it fails.
        shortcut.registrationFailed = shortcut.key > kLastVirtualKey ||
                                      !RegisterHotKey(hotKeyWindow, hotKeyId, modifiers, shortcut.key);
    }
}

void UnregisterGlobalHotKeys() {
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.global) UnregisterHotKey(CurrentPreferencesState().hotKeyWindow, CommandNumber(shortcut.id));
    }
}

std::optional<CommandId> HotKeyCommand(WPARAM hotKeyId) {
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.global && static_cast<WPARAM>(CommandNumber(shortcut.id)) == hotKeyId) return shortcut.id;
    }
    return std::nullopt;
}

std::uint32_t CurrentModifiers() {
    std::uint32_t modifiers = 0;
    if (IsKeyDown(VK_CONTROL)) modifiers |= kModifierCtrl;
    if (IsKeyDown(VK_MENU)) modifiers |= kModifierAlt;
    if (IsKeyDown(VK_SHIFT)) modifiers |= kModifierShift;
    return modifiers;
}

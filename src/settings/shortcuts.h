// The process's shortcut table, its file "shortcuts.txt" (in the machine's
// own folder: the keys free on one machine may be another program's on the
// next) and the global hot keys registered for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "settings/core/shortcut_table.h"

// The one table of the process, at its defaults until LoadShortcuts.
ShortcutTable& Shortcuts();

// Reads "shortcuts.txt" into the table; a missing file keeps the bindings.
void LoadShortcuts();

// Writes the table to "shortcuts.txt"; true when it reached the disk. A
// failed write is kept among the unsaved files, to be tried again.
[[nodiscard]] bool SaveShortcuts();

// Registers every bound global row as a hot key of the hot-key window and
// sets each row's registration failed flag. A non-null window becomes the
// hot-key window for this and every later call; while there is none,
// nothing is registered.
void RegisterGlobalHotKeys(HWND window);

// Unregisters the hot key of every global row.
void UnregisterGlobalHotKeys();

// The command of the global row registered under a WM_HOTKEY id; none for
// any other id.
std::optional<CommandId> HotKeyCommand(WPARAM hotKeyId);

// Ctrl, Alt and Shift as they are down now (kModifierCtrl, ...).
std::uint32_t CurrentModifiers();

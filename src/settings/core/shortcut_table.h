// The sixteen keyboard commands and their bindings: six global hot keys and
// ten commands for the focused note. The table lives for the whole process
// (owned by the shell); these rules take it by reference.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/core/command_ids.h"

// Modifier bits, the same values as the system's hot-key modifiers.
constexpr std::uint32_t kModifierAlt = 0x1;
constexpr std::uint32_t kModifierCtrl = 0x2;
constexpr std::uint32_t kModifierShift = 0x4;

// Virtual-key codes the rules look at.
constexpr std::uint32_t kKeyBackspace = 0x08;
constexpr std::uint32_t kKeyEscape = 0x1B;
constexpr std::uint32_t kKeyDelete = 0x2E;

struct Shortcut {
    CommandId id = CommandId::NewNote;  // its number: the hot-key id and the file's first field
    bool global = false;          // hot key (true) or note command (false)
    const char16_t* label = u"";  // French source text, shown through Translate
    std::uint32_t modifiers = 0;
    std::uint32_t key = 0;        // 0: no binding
    std::uint32_t defaultModifiers = 0;
    std::uint32_t defaultKey = 0;
    bool registrationFailed = false;  // global rows: the last registration failed

    bool operator==(const Shortcut&) const = default;
};

constexpr std::size_t kShortcutCount = 16;

// Display order, file order and the note filter's search order.
using ShortcutTable = std::array<Shortcut, kShortcutCount>;

// The sixteen rows, each bound to its default.
ShortcutTable DefaultShortcutTable();

// Every row back to its default binding, every registration failed flag cleared.
void ResetShortcuts(ShortcutTable& table);

// True for Shift, Ctrl, Alt and the two Windows keys: keys that are held with
// a combination, never a combination of their own.
bool IsModifierKey(std::uint32_t key);

// Index of the first note row bound to exactly this key and these modifiers
// (a superset of modifiers does not match), or -1.
int FindNoteShortcut(const ShortcutTable& table, std::uint32_t key, std::uint32_t modifiers);

// "Ctrl+", "Alt+", the translated "Maj+" and the translated key name, in that
// order; "(aucun)" (untranslated) for key 0. Bits other than the three
// modifiers are ignored.
std::u16string ShortcutText(std::uint32_t modifiers, std::uint32_t key);

// The French name of a virtual key: a word for the named keys, the character
// for digits, letters, comma and period, F1..F24, and otherwise "0x" followed
// by the code in upper-case hex, at least two digits and as many as it needs
// (0xBA, 0x1234, 0xFFFFFFFF).
std::u16string KeyName(std::uint32_t key);

struct CaptureResult {
    bool waitEnds = false;
    bool beep = false;  // the combination was refused (no Ctrl or Alt)
};

// What a key pressed while `row` waits for one does to the table: Escape
// ends the wait, Delete and Backspace unbind the row, modifier keys are
// ignored, a combination without Ctrl or Alt is refused with a beep, and an
// accepted combination is taken from every other row and bound to this one.
// A row outside the table ends the wait and changes nothing.
CaptureResult CaptureKey(ShortcutTable& table, int row, std::uint32_t key,
                         std::uint32_t currentModifiers);

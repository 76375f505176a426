// "shortcuts.txt": one line "id|modifiers|key" per command, in decimal.
#pragma once

#include <string>

#include "settings/core/shortcut_table.h"

// Reads every line that starts with three numbers "id|modifiers|key" (blanks
// allowed before each number, anything after the third ignored) into the row
// with that id. Lines without three numbers and unknown ids are ignored; rows
// without a line keep their values, except that a row without a line loses
// a combination a line gives another row: a file written before a row was
// added keeps what the user bound, and the new row starts unbound. No other
// range or conflict check is made.
// Numbers read like the C library's: an id beyond the 32-bit signed range
// saturates (and so matches no row); modifiers and key beyond 4294967295
// give 4294967295, and a '-' before them counts modulo 2^32 ("-1" gives
// 4294967295).
void ParseShortcutsFile(const std::u16string& text, ShortcutTable& table);

// One line "id|modifiers|key\r\n" per row, in table order; an unbound row
// writes what it holds (0|0 after an unbinding).
std::u16string FormatShortcutsFile(const ShortcutTable& table);

// The active translation table and the lookup every visible string goes
// through. Keys are the program's French source texts (some written without
// their accents); the built-in French table gives what French shows.
#pragma once

#include <map>
#include <string>

// Ordinal (code unit by code unit) ordering, as std::u16string compares.
using TranslationTable = std::map<std::u16string, std::u16string>;

// The table of the program's state (bound at start-up, see base/state_slot.h);
// refilled as a whole on a language switch. Translate works with none bound
// (every text stays French), but this needs one.
TranslationTable& ActiveTranslationTable();

// Returns the translation of a French source text, or the very pointer it was
// given when there is none (missing key, empty translation, empty table).
// A returned translation stays valid until the table is next cleared.
const char16_t* Translate(const char16_t* source);

// The calendar's one-letter weekday heading, Monday = 0 .. Sunday = 6.
std::u16string WeekdayLabel(int index);

// The languages on disk: the translation files in the "lang" folder of the
// data folder (they go with the notes), the templates written there for
// translators, the list of languages offered, the choice remembered in
// "langue.txt" of the machine's own folder (it is read before the data
// folder is known to be there) and the switch to another language.
#pragma once

#include <string>

#include "i18n/core/language_file.h"
#include "i18n/core/translation.h"

// At start, before anything is shown: lists the languages and makes the
// saved language (or the system's: French for a French user interface, else
// English) active. Writes nothing: a second copy of the program does this
// too before it leaves.
void ChooseLanguageAtStart();

// Once this copy is the one that runs: writes the two templates when they
// are missing and saves the active language.
void WriteLanguageFilesAtStart();

// Makes a language active: refills the active table (the built-in French,
// then the built-in English for English, then the language's own file) and
// saves the code in "langue.txt" (true when that reached the disk).
// Translations handed out before are invalid.
[[nodiscard]] bool SwitchLanguage(const std::u16string& code);

// DataFilePath("lang") + "\lang_" + code + ".txt".
std::u16string LanguageFilePath(const std::u16string& code);

// Writes the active code to "langue.txt"; true when it reached the disk. A
// failed write is kept among the unsaved files, to be tried again.
[[nodiscard]] bool SaveLanguageChoice();

// Stores the lines of the language's file into the table. At most
// kMaxLanguageFileBytes are read; a file cut there loses its last, partial
// line. A missing or unreadable file adds nothing.
void LoadLanguageFile(const std::u16string& code, TranslationTable& table);

// Writes the language's template from the table, unless a file (or anything
// else) already has its name: the user's edits are never overwritten.
void WriteLanguageTemplate(const std::u16string& code, const TranslationTable& table,
                           const std::u16string& displayName);

// Rebuilds AvailableLanguages: French and English, then every "lang_*.txt"
// file, named by its LANG_NAME line (or its code).
void EnumerateLanguages();

// The active language code; "fr" until start-up chooses.
const std::u16string& CurrentLanguageCode();

// The languages offered by the settings window, in display order.
const LanguageList& AvailableLanguages();

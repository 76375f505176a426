// Translation files ("lang_<code>.txt"): lines "French source=translation",
// the templates written for translators, the list of languages offered and
// the choice of language at start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/core/translation.h"

constexpr std::u16string_view kFrenchCode = u"fr";
constexpr std::u16string_view kEnglishCode = u"en";

// The key whose translation is the language's own display name.
constexpr std::u16string_view kLanguageNameKey = u"LANG_NAME";

// How much of a translation file is read: the real ones are a few kilobytes,
// and a stray huge file must not hold the program up at start.
constexpr std::size_t kMaxLanguageFileBytes = 4 * 1024 * 1024;

// Stores every "key=translation" line into the table, replacing the value of
// a key met before (in the table or earlier in the text); other keys of the
// table are kept. Lines end at LF, trailing CRs are dropped, one leading
// byte-order mark is ignored. Empty lines, lines starting with '#', lines
// without '=' and lines with an empty key are skipped. The key is what comes
// before the first '=', the translation everything after it, neither
// trimmed. Every character counts, NUL included: a key holding one is kept
// whole, so it can never stand for a shorter key. A key merged into another
// one (the same text without its accents) is stored under the kept key.
void ParseLanguageFile(const std::u16string& text, TranslationTable& table);

// The template written for translators: a comment line, the LANG_NAME line
// with `displayName`, then every other pair of the table in key order.
std::u16string FormatLanguageTemplate(const TranslationTable& table,
                                      const std::u16string& displayName);

// Every built-in key except LANG_NAME mapped to its built-in French text:
// the French template.
TranslationTable FrenchTemplateTable();

// Stores a file's translations over the built-in ones, skipping those that
// say nothing: an empty translation, and a key mapped to itself, which is
// what earlier French templates held for every text and would bring back a
// text without its accents.
void AddFileTranslations(const TranslationTable& file, TranslationTable& table);

// "lang_" + code + ".txt": the name of a language's file in the "lang" folder.
std::u16string LanguageFileName(const std::u16string& code);

// "lang_*.txt": what lists every language file of the folder.
std::u16string LanguageFilePattern();

// The code between "lang_" and ".txt" of a file listed for "lang_*.txt";
// empty for a name of 9 characters or fewer ("lang_.txt" names no language).
std::u16string LanguageCodeFromFileName(std::u16string_view fileName);

// The code saved in "langue.txt": its text without the CR, LF and spaces at
// its end. Leading characters are kept.
std::u16string SavedLanguageCode(std::u16string_view text);

// The language to start with: the saved code, or when none is saved French
// for a French user interface (any region) and English for any other.
std::u16string StartLanguage(const std::u16string& savedCode, std::uint16_t uiLanguageId);

struct LanguageEntry {
    std::u16string code;
    std::u16string displayName;

    bool operator==(const LanguageEntry&) const = default;
};

// The languages offered, in display order.
using LanguageList = std::vector<LanguageEntry>;

// French and English, the two built-in languages.
LanguageList BuiltInLanguages();

// A listed language file's display name: its LANG_NAME translation when the
// file has that key (even empty), else the code.
std::u16string LanguageDisplayName(const TranslationTable& fileTable, const std::u16string& code);

// Renames the entry with this code, or appends a new one.
void AddLanguage(LanguageList& languages, const std::u16string& code,
                 const std::u16string& displayName);

// Position of the code in the list; 0 when it is not there.
int LanguageIndexOf(const LanguageList& languages, const std::u16string& code);

// The code at a position; French when the position is outside the list.
std::u16string LanguageCodeAt(const LanguageList& languages, int index);

// The display name at a position; empty when the position is outside the list.
std::u16string LanguageNameAt(const LanguageList& languages, int index);

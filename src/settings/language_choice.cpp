#include "settings/language_choice.h"

#include <windows.h>

#include "i18n/core/built_in_english.h"
#include "i18n/core/built_in_french.h"
#include "settings/preferences_state.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr char16_t kSavedLanguageFile[] = u"langue.txt";
constexpr char16_t kLanguageFolder[] = u"lang";
// "langue.txt" holds a code of a few letters; a longer one names no file.
constexpr std::size_t kMaxSavedCodeBytes = 1024;

std::u16string& ActiveCode() {
    return CurrentPreferencesState().languageCode;
}

LanguageList& OfferedLanguages() {
    return CurrentPreferencesState().offeredLanguages;
}

std::u16string ReadSavedCode() {
    return SavedLanguageCode(ReadTextFileStart(MachineFilePath(kSavedLanguageFile), kMaxSavedCodeBytes));
}

bool IsFolder(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void AddLanguageFile(const std::u16string& fileName) {
    const std::u16string code = LanguageCodeFromFileName(fileName);
    if (code.empty()) return;  // "lang_.txt" names no language
    TranslationTable fileTable;
    LoadLanguageFile(code, fileTable);
    AddLanguage(OfferedLanguages(), code, LanguageDisplayName(fileTable, code));
}

// Makes the language active without saving the choice. The built-in French
// goes in first for every language, so that a text a file leaves out shows
// in French with its accents rather than as its bare key.
void ApplyLanguage(const std::u16string& code) {
    ActiveCode() = code;
    TranslationTable& table = ActiveTranslationTable();
    table.clear();
    FillBuiltInFrench(table);
    if (code == kEnglishCode) FillBuiltInEnglish(table);
    TranslationTable file;
    LoadLanguageFile(code, file);
    AddFileTranslations(file, table);
}

}  // namespace

void ChooseLanguageAtStart() {
    EnumerateLanguages();
    ApplyLanguage(StartLanguage(ReadSavedCode(), GetUserDefaultUILanguage()));
}

void WriteLanguageFilesAtStart() {
    TranslationTable english;
    FillBuiltInEnglish(english);
    WriteLanguageTemplate(std::u16string(kFrenchCode), FrenchTemplateTable(), u"Français");
    WriteLanguageTemplate(std::u16string(kEnglishCode), english, u"English");
    // Written only when it says something else: a file rewritten at every
    // start would clash between machines that share the data folder.
    if (ReadSavedCode() != ActiveCode()) (void)SaveLanguageChoice();  // tried again on the timer when it fails
}

bool SwitchLanguage(const std::u16string& code) {
    ApplyLanguage(code);
    return SaveLanguageChoice();
}

bool SaveLanguageChoice() {
    const bool saved = WriteFileAtomic(MachineFilePath(kSavedLanguageFile), EncodeUtf8(ActiveCode()));
    RecordFileSave(kSavedLanguageFile, SaveLanguageChoice, saved, saved ? 0 : GetLastError());
    return saved;
}

std::u16string LanguageFilePath(const std::u16string& code) {
    return DataFilePath(kLanguageFolder) + u"\\" + LanguageFileName(code);
}

void LoadLanguageFile(const std::u16string& code, TranslationTable& table) {
    ParseLanguageFile(ReadTextFileStart(LanguageFilePath(code), kMaxLanguageFileBytes), table);
}

void WriteLanguageTemplate(const std::u16string& code, const TranslationTable& table,
                           const std::u16string& displayName) {
    const std::u16string path = LanguageFilePath(code);
    if (GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES) return;
    // A template only shows translators the texts; one that cannot be
    // written now is written at a later start (the failure is recorded).
    (void)WriteFileAtomic(path, EncodeUtf8(FormatLanguageTemplate(table, displayName)));
}

void EnumerateLanguages() {
    OfferedLanguages() = BuiltInLanguages();
    const std::u16string folder = DataFilePath(kLanguageFolder);
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(folder + u"\\" + LanguageFilePattern()), &found));
    if (!search) return;
    do {
        if (!IsFolder(found)) AddLanguageFile(FromWide(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
}

const std::u16string& CurrentLanguageCode() {
    return ActiveCode();
}

const LanguageList& AvailableLanguages() {
    return OfferedLanguages();
}

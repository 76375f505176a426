// Translation files on disk: the templates, the list of languages, the
// switch, and files that are not what they should be.
#include <string>

#include "i18n/core/translation.h"
#include "settings/language_choice.h"
#include "support/shell_data_folder_test.h"
#include "support/windows_test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

std::u16string DisplayNameOf(const std::u16string& code) {
    for (const LanguageEntry& entry : AvailableLanguages()) {
        if (entry.code == code) return entry.displayName;
    }
    return u"(not listed)";
}

// A file of `size` bytes with `head` at its start and `tail` at `tailOffset`;
// zeros elsewhere, left sparse where the file system can.
void WriteLargeFile(const std::u16string& path, const std::string& head, long long tailOffset,
                    const std::string& tail, long long size) {
    const UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    SetFilePointerEx(file.Get(), LARGE_INTEGER{.QuadPart = tailOffset}, nullptr, FILE_BEGIN);
    WriteFile(file.Get(), tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr);
    SetFilePointerEx(file.Get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN);
    SetEndOfFile(file.Get());
}

class LanguageChoice : public DataFolderTest {
protected:
    std::u16string LanguagePath(const std::u16string& code) { return DataPath(u"lang\\lang_" + code + u".txt"); }
};

TEST_F(LanguageChoice, StartTakesTheSavedCodeAndOnlyTheCopyThatRunsWritesTheTemplates) {
    WriteRawFile(DataPath(u"langue.txt"), "en\r\n  \r\n");
    ChooseLanguageAtStart();
    // A second copy chooses its language too, before it leaves: nothing written.
    EXPECT_EQ(std::u16string(Translate(u"Quitter")), u"Quit");
    EXPECT_FALSE(FileExists(LanguagePath(u"en")));
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "en\r\n  \r\n");
    WriteLanguageFilesAtStart();

    const std::string header = "# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n";
    const std::string english = ReadRawFile(LanguagePath(u"en"));
    EXPECT_EQ(english.rfind(header + "LANG_NAME=English\r\n", 0), 0u);
    EXPECT_NE(english.find("\r\nParamètres…=Settings…\r\n"), std::string::npos);
    const std::string french = ReadRawFile(LanguagePath(u"fr"));
    EXPECT_EQ(french.rfind(header + "LANG_NAME=Français\r\n", 0), 0u);
    EXPECT_NE(french.find("\r\nQuitter=Quitter\r\n"), std::string::npos);
    EXPECT_NE(french.find("\r\nParametres=Paramètres\r\n"), std::string::npos);

    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "en\r\n  \r\n");  // it already says English
    EXPECT_EQ(std::u16string(Translate(u"Quitter")), u"Quit");
}

TEST_F(LanguageChoice, AnotherFileAddsItsLanguageAndAnEditedTemplateIsKept) {
    WriteRawFile(LanguagePath(u"de"), "LANG_NAME=Deutsch\nQuitter=Beenden\n");
    WriteRawFile(LanguagePath(u"xx"), "Quitter=Sortir\n");  // no LANG_NAME: listed by its code
    WriteRawFile(LanguagePath(u""), "LANG_NAME=Nobody\n");  // "lang_.txt" names no language
    WriteRawFile(LanguagePath(u"en"), "LANG_NAME=Anglais\n");
    WriteRawFile(DataPath(u"langue.txt"), "de");
    ChooseLanguageAtStart();

    EXPECT_EQ(ReadRawFile(LanguagePath(u"en")), "LANG_NAME=Anglais\n");
    ASSERT_EQ(AvailableLanguages().size(), 4u);
    EXPECT_EQ(AvailableLanguages()[1], (LanguageEntry{u"en", u"Anglais"}));
    EXPECT_EQ(DisplayNameOf(u"de"), u"Deutsch");
    EXPECT_EQ(DisplayNameOf(u"xx"), u"xx");
    EXPECT_EQ(std::u16string(Translate(u"Quitter")), u"Beenden");
    EXPECT_EQ(std::u16string(Translate(u"Nouvelle note")), u"Nouvelle note");
    EXPECT_EQ(std::u16string(Translate(u"Fevrier")), u"Février");  // left out of the file: French, accented
}

// A user's own French file wins over the built-in French, as any file does;
// the lines an earlier template wrote (a text mapped to itself) and the old
// spelling of a merged key keep working.
TEST_F(LanguageChoice, FrenchShowsItsAccentsAndAUsersFrenchFileWins) {
    WriteRawFile(LanguagePath(u"fr"), "LANG_NAME=Français\r\nParametres=Réglages\r\nAout=Aout\r\n"
                                      "Desancrer toutes les notes=Tout désancrer\r\n");
    WriteRawFile(DataPath(u"langue.txt"), "fr");
    ChooseLanguageAtStart();
    const struct {
        const char16_t* key;
        std::u16string shown;
    } cases[] = {
        {u"Parametres", u"Réglages"},
        {u"Aout", u"Août"},
        {u"Decembre", u"Décembre"},
        {u"Désancrer toutes les notes", u"Tout désancrer"},
        {u"Quillboard est deja en cours d'execution.", u"Quillboard est déjà en cours d'exécution."},
    };
    for (const auto& c : cases) EXPECT_EQ(std::u16string(Translate(c.key)), c.shown);
    EXPECT_EQ(AvailableLanguages().size(), 2u);  // the file names French, listed once
}

// The line rules are the core's; read from disk, a mark is dropped, a
// bad byte replaced and a NUL kept.
TEST_F(LanguageChoice, DamagedFileLoadsWhatItCan) {
    constexpr char kNulLine[] = "Nul\0Key=Nul\0Value\n";
    WriteRawFile(LanguagePath(u"zz"), "\xEF\xBB\xBFQuitter=Premier\r\nBad\xC3(=\xFF\n" +
                                          std::string(kNulLine, sizeof(kNulLine) - 1) + "Quitter=Fin\r\n");
    TranslationTable table;
    LoadLanguageFile(u"zz", table);
    EXPECT_EQ(table, (TranslationTable{{u"Quitter", u"Fin"},
                                       {u"Bad\uFFFD(", u"\uFFFD"},
                                       {std::u16string(u"Nul\0Key", 7), std::u16string(u"Nul\0Value", 9)}}));
}

TEST_F(LanguageChoice, HugeFileIsReadOnlyUpToTheLimitLessItsCutLine) {
    const long long limit = static_cast<long long>(kMaxLanguageFileBytes);
    WriteLargeFile(LanguagePath(u"big"), "LANG_NAME=Gros\r\nQuitter=Fin\r\n", limit - 50,
                   "\nCoupe=" + std::string(100, 'y') + "\n", 300LL * 1024 * 1024);
    WriteLargeFile(LanguagePath(u"late"), "", limit + 10, "\nAide=Hilfe\n", limit + 1000);

    EnumerateLanguages();
    TranslationTable big;
    LoadLanguageFile(u"big", big);
    TranslationTable late;
    LoadLanguageFile(u"late", late);

    EXPECT_EQ(DisplayNameOf(u"big"), u"Gros");
    EXPECT_EQ(big[u"Quitter"], u"Fin");
    EXPECT_EQ(big.count(u"Coupe"), 0u);
    EXPECT_TRUE(late.empty());
}

}  // namespace

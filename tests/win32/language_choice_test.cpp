// Translation files on disk: the templates, the list of languages, the
// remembered choice, the switch, and files that are not what they should be.
#include <string>

#include "i18n/translation.h"
#include "settings/language_choice.h"
#include "test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr char kTemplateComment[] =
    "# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n";

std::u16string Shown(const char16_t* source) {
    return Translate(source);
}

std::u16string DisplayNameOf(const std::u16string& code) {
    for (const LanguageEntry& entry : AvailableLanguages()) {
        if (entry.code == code) return entry.displayName;
    }
    return u"(not listed)";
}

bool HasKey(const TranslationTable& table, const std::u16string& key) {
    return table.find(key) != table.end();
}

// A file of `size` bytes that starts with `head` and holds `tail` at
// `tailOffset`; the rest is zeros, left sparse where the file system can.
void WriteLargeFile(const std::u16string& path, const std::string& head, long long tailOffset,
                    const std::string& tail, long long size) {
    const UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    WriteFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    LARGE_INTEGER at{};
    at.QuadPart = tailOffset;
    SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN);
    WriteFile(file.Get(), tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr);
    at.QuadPart = size;
    SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file.Get()));
}

class LanguageChoice : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        CreateDirectoryW(Wide(DataPath()), nullptr);
        CreateDirectoryW(Wide(DataPath(u"lang")), nullptr);
    }
    void TearDown() override {
        SwitchLanguage(u"fr");
        EnumerateLanguages();
        DataFolderTest::TearDown();
    }

    void WriteLanguage(const std::u16string& code, const std::string& bytes) {
        WriteRawFile(DataPath(u"lang\\lang_" + code + u".txt"), bytes);
    }
    std::string ReadLanguage(const std::u16string& code) {
        return ReadRawFile(DataPath(u"lang\\lang_" + code + u".txt"));
    }
};

TEST_F(LanguageChoice, StartWritesBothTemplatesAndTakesTheSavedCode) {
    WriteRawFile(DataPath(u"langue.txt"), "en\r\n  \r\n");

    ChooseLanguageAtStart();

    const std::string english = ReadLanguage(u"en");
    EXPECT_EQ(english.rfind(std::string(kTemplateComment) + "LANG_NAME=English\r\n", 0), 0u);
    EXPECT_NE(english.find("\r\nQuitter=Quit\r\n"), std::string::npos);
    EXPECT_NE(english.find("\r\nParamètres…=Settings…\r\n"), std::string::npos);
    const std::string french = ReadLanguage(u"fr");
    EXPECT_EQ(french.rfind(std::string(kTemplateComment) + "LANG_NAME=Français\r\n", 0), 0u);
    EXPECT_NE(french.find("\r\nQuitter=Quitter\r\n"), std::string::npos);
    EXPECT_EQ(french.find("LANG_NAME=English"), std::string::npos);

    EXPECT_EQ(CurrentLanguageCode(), u"en");
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "en");
    EXPECT_EQ(Shown(u"Quitter"), u"Quit");
    EXPECT_EQ(AvailableLanguages(), (LanguageList{{u"fr", u"Français"}, {u"en", u"English"}}));
}

TEST_F(LanguageChoice, EditedEnglishFileIsKeptAndOverridesTheBuiltInTable) {
    const std::string edited = "LANG_NAME=Anglais\r\nQuitter=Exit\r\n";
    WriteLanguage(u"en", edited);
    WriteRawFile(DataPath(u"langue.txt"), "en");

    ChooseLanguageAtStart();

    EXPECT_EQ(ReadLanguage(u"en"), edited);
    EXPECT_EQ(AvailableLanguages()[1], (LanguageEntry{u"en", u"Anglais"}));
    EXPECT_EQ(Shown(u"Quitter"), u"Exit");
    EXPECT_EQ(Shown(u"Nouvelle note"), u"New note");
}

TEST_F(LanguageChoice, AnotherFileAddsItsLanguageAfterEnglish) {
    WriteLanguage(u"de", "LANG_NAME=Deutsch\nQuitter=Beenden\n");
    WriteLanguage(u"xx", "Quitter=Sortir\n");  // no LANG_NAME: listed by its code
    WriteLanguage(u"", "LANG_NAME=Nobody\n");  // "lang_.txt" names no language
    CreateDirectoryW(Wide(DataPath(u"lang\\lang_dir.txt")), nullptr);

    EnumerateLanguages();
    ASSERT_EQ(AvailableLanguages().size(), 4u);
    EXPECT_EQ(AvailableLanguages()[0], (LanguageEntry{u"fr", u"Français"}));
    EXPECT_EQ(AvailableLanguages()[1], (LanguageEntry{u"en", u"English"}));
    EXPECT_EQ(DisplayNameOf(u"de"), u"Deutsch");
    EXPECT_EQ(DisplayNameOf(u"xx"), u"xx");

    SwitchLanguage(u"de");
    EXPECT_EQ(Shown(u"Quitter"), u"Beenden");
    EXPECT_EQ(Shown(u"Nouvelle note"), u"Nouvelle note");
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "de");
}

TEST_F(LanguageChoice, CodeWithoutAFileShowsFrenchAndIsKept) {
    WriteRawFile(DataPath(u"langue.txt"), " en");
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLanguageCode(), u" en");
    EXPECT_EQ(Shown(u"Quitter"), u"Quitter");
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), " en");
}

TEST_F(LanguageChoice, DamagedFileLoadsWhatItCan) {
    std::string bytes = "\xEF\xBB\xBF";  // byte-order mark
    bytes += "Quitter=Premier\r\n";
    bytes += "a line without an equals sign\n";
    bytes += "=no key\n";
    bytes += "Long=" + std::string(1024 * 1024, 'x') + "\n";
    bytes += "Bad\xC3\x28=\xFF\xFE\n";  // invalid UTF-8
    constexpr char kNulLine[] = "Nul\0Key=Nul\0Value\n";
    bytes += std::string(kNulLine, sizeof(kNulLine) - 1);
    bytes += "Supprimer=Delete=Remove\n";
    bytes += "Quitter=Fin\r\r\n";
    WriteLanguage(u"zz", bytes);

    TranslationTable table;
    LoadLanguageFile(u"zz", table);

    EXPECT_EQ(table[u"Quitter"], u"Fin");
    EXPECT_EQ(table[u"Supprimer"], u"Delete=Remove");
    EXPECT_EQ(table[u"Long"].size(), 1024u * 1024u);
    EXPECT_FALSE(HasKey(table, u""));
    EXPECT_FALSE(HasKey(table, u"a line without an equals sign"));
    EXPECT_EQ(table[std::u16string(u"Nul\0Key", 7)], std::u16string(u"Nul\0Value", 9));
    EXPECT_TRUE(HasKey(table, u"Bad\uFFFD("));
    EXPECT_FALSE(HasKey(table, u"Nul"));
}

TEST_F(LanguageChoice, HugeFileIsReadOnlyUpToTheLimitAndItsCutLineIsDropped) {
    constexpr long long kHundredsOfMegabytes = 300LL * 1024 * 1024;
    const long long limit = static_cast<long long>(kMaxLanguageFileBytes);
    // A line that the limit cuts in two, and one wholly past it.
    const std::string cutLine = "\nCoupe=" + std::string(100, 'y') + "\n";
    WriteLargeFile(DataPath(u"lang\\lang_big.txt"), "LANG_NAME=Gros\r\nQuitter=Fin\r\n", limit - 50, cutLine,
                   kHundredsOfMegabytes);
    WriteRawFile(DataPath(u"lang\\lang_late.txt"), "");
    WriteLargeFile(DataPath(u"lang\\lang_late.txt"), "", limit + 10, "\nAide=Hilfe\n", limit + 1000);

    const ULONGLONG start = GetTickCount64();
    EnumerateLanguages();
    TranslationTable big;
    LoadLanguageFile(u"big", big);
    TranslationTable late;
    LoadLanguageFile(u"late", late);
    EXPECT_LT(GetTickCount64() - start, 10000u);

    EXPECT_EQ(DisplayNameOf(u"big"), u"Gros");
    EXPECT_EQ(big[u"Quitter"], u"Fin");
    EXPECT_FALSE(HasKey(big, u"Coupe"));
    EXPECT_FALSE(HasKey(late, u"Aide"));
}

}  // namespace

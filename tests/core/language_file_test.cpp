#include "i18n/core/language_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TranslationTable Parsed(const std::u16string& text) {
    TranslationTable table;
    ParseLanguageFile(text, table);
    return table;
}

TEST(LanguageFile, LinesAndWhatTheyStore) {
    const struct {
        std::u16string text;
        TranslationTable table;
    } cases[] = {
        {u"Supprimer=Delete=Remove", {{u"Supprimer", u"Delete=Remove"}}}, {u"Quitter=", {{u"Quitter", u""}}},
        {u"\uFEFFQuitter=Beenden\n", {{u"Quitter", u"Beenden"}}},
        {u"# Quitter=Beenden\nAnnuler=Cancel", {{u"Annuler", u"Cancel"}}},
        {u"Quitter=Exit\r\r\nAnnuler=Cancel\r\n", {{u"Quitter", u"Exit"}, {u"Annuler", u"Cancel"}}},
        {u"Son : = Sound \r\n", {{u"Son : ", u" Sound "}}},
        {u"\n\r\nno separator\n=orphan\n", {}},
        {u"Quitter=A\nQuitter=B", {{u"Quitter", u"B"}}},
        {u" #x=y", {{u" #x", u"y"}}}, {u"a\r=b\r", {{u"a\r", u"b"}}},
        {std::u16string(u"Qu\0itter=X\n", 11), {{std::u16string(u"Qu\0itter", 8), u"X"}}},
        {u"\uFEFF\uFEFFa=b", {{u"\uFEFFa", u"b"}}},  // only one mark is dropped
    };
    for (const auto& c : cases) EXPECT_EQ(Parsed(c.text), c.table) << testing::PrintToString(c.text);
}

TEST(LanguageFile, KeepsKeysTheFileDoesNotNameAndLoadsLongLines) {
    TranslationTable table = {{u"Quitter", u"Quit"}, {u"Annuler", u"Cancel"}};
    ParseLanguageFile(u"Quitter=Exit\n", table);
    EXPECT_EQ(table, (TranslationTable{{u"Quitter", u"Exit"}, {u"Annuler", u"Cancel"}}));
    const std::u16string value(1 << 20, u'x');
    EXPECT_EQ(Parsed(u"k=" + value).at(u"k"), value);
}

TEST(LanguageFile, TemplateContent) {
    const TranslationTable table = {
        {u"LANG_NAME", u"ignored"}, {u"Quitter", u"Beenden"}, {u"Annuler", u""}, {u"Été", u"Sommer"}};
    EXPECT_EQ(FormatLanguageTemplate(table, u"Deutsch"),
              u"# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n"
              u"LANG_NAME=Deutsch\r\n"
              u"Annuler=\r\n"
              u"Quitter=Beenden\r\n"
              u"Été=Sommer\r\n");
}

TEST(LanguageFile, FrenchTemplateMapsEveryBuiltInTextToItself) {
    const TranslationTable french = FrenchTemplateTable();
    EXPECT_EQ(french.size(), 165u);  // every built-in text but LANG_NAME
    EXPECT_EQ(french.count(u"LANG_NAME"), 0u);
    EXPECT_EQ(french.at(u"Paramètres…"), u"Paramètres…");
    for (const auto& [source, translation] : french) EXPECT_EQ(translation, source);
    TranslationTable expected = french;
    expected[u"LANG_NAME"] = u"Français";
    EXPECT_EQ(Parsed(FormatLanguageTemplate(french, u"Français")), expected);
}

TEST(LanguageFile, CodesFromFileNamesAndTheSavedFile) {
    EXPECT_EQ(LanguageCodeFromFileName(u"lang_de.txt"), u"de");
    EXPECT_EQ(LanguageCodeFromFileName(u"lang_pt-BR.txt"), u"pt-BR");
    EXPECT_EQ(LanguageCodeFromFileName(u"lang_.txt"), u"");
    EXPECT_EQ(LanguageCodeFromFileName(u""), u"");
    // The saved code loses only trailing line breaks and spaces.
    EXPECT_EQ(SavedLanguageCode(u"en\r\n  \r\n"), u"en");
    EXPECT_EQ(SavedLanguageCode(u" en"), u" en");
    EXPECT_EQ(SavedLanguageCode(u"en\t"), u"en\t");
    EXPECT_EQ(SavedLanguageCode(u" \r\n"), u"");
}

TEST(LanguageFile, StartLanguage) {
    const struct {
        std::u16string saved;
        std::uint16_t uiLanguage;
        std::u16string code;
    } cases[] = {
        {u"", 0x040C, u"fr"}, {u"", 0x0C0C, u"fr"}, {u"", 0x100C, u"fr"},  // France, Canada, Switzerland
        {u"", 0x0409, u"en"}, {u"", 0x0407, u"en"}, {u"", 0x040D, u"en"},
        {u"de", 0x040C, u"de"}, {u"fr", 0x0409, u"fr"},
    };
    for (const auto& c : cases) EXPECT_EQ(StartLanguage(c.saved, c.uiLanguage), c.code) << c.uiLanguage;
}

TEST(LanguageFile, LanguageListRenamesOrAppends) {
    LanguageList list = BuiltInLanguages();
    EXPECT_EQ(list, (LanguageList{{u"fr", u"Français"}, {u"en", u"English"}}));
    AddLanguage(list, u"de", LanguageDisplayName({{u"LANG_NAME", u"Deutsch"}, {u"Quitter", u"Beenden"}}, u"de"));
    AddLanguage(list, u"en", LanguageDisplayName({{u"LANG_NAME", u"Anglais"}}, u"en"));
    AddLanguage(list, u"it", LanguageDisplayName({{u"Quitter", u"Esci"}}, u"it"));
    AddLanguage(list, u"xx", LanguageDisplayName({{u"LANG_NAME", u""}}, u"xx"));
    EXPECT_EQ(list, (LanguageList{{u"fr", u"Français"}, {u"en", u"Anglais"}, {u"de", u"Deutsch"}, {u"it", u"it"},
                                  {u"xx", u""}}));
    EXPECT_EQ(LanguageIndexOf(list, u"de"), 2);
    EXPECT_EQ(LanguageIndexOf(list, u"DE"), 0);
    EXPECT_EQ(LanguageCodeAt(list, 3), u"it");
    EXPECT_EQ(LanguageCodeAt(list, 5), u"fr");
    EXPECT_EQ(LanguageCodeAt(list, -1), u"fr");
    EXPECT_EQ(LanguageNameAt(list, 2), u"Deutsch");
    EXPECT_EQ(LanguageNameAt(list, 9), u"");
}

}  // namespace

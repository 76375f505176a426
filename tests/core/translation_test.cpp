#include "i18n/core/translation.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include <string>

#include "i18n/core/built_in_english.h"

namespace {

// Every test starts with French, an empty table of its own.
class Translation : public ::testing::Test {
protected:
    static void UseEnglish() { FillBuiltInEnglish(ActiveTranslationTable()); }

    FreshTranslations translations_;
};

std::u16string Text(const char16_t* text) { return text; }

TEST_F(Translation, FrenchReturnsTheVeryPointerItWasGiven) {
    const char16_t* source = u"Quitter";
    EXPECT_EQ(Translate(source), source);
}

TEST_F(Translation, NullSourceIsReturnedAsIs) {
    EXPECT_EQ(Translate(nullptr), nullptr);
    UseEnglish();
    EXPECT_EQ(Translate(nullptr), nullptr);
}

TEST_F(Translation, EnglishTranslatesBuiltInKeys) {
    UseEnglish();
    EXPECT_EQ(Text(Translate(u"Quitter")), u"Quit");
    EXPECT_EQ(Text(Translate(u"Désancrer toutes les notes")), u"Undock all notes");
    EXPECT_EQ(Text(Translate(u"Tessaline (Section 2)")), u"Tessaline (Section 2)");
}

TEST_F(Translation, UnknownTextIsReturnedUnchangedInEnglish) {
    UseEnglish();
    const char16_t* categoryName = u"Travail";
    EXPECT_EQ(Translate(categoryName), categoryName);
}

TEST_F(Translation, EmptyTranslationFallsBackToTheSource) {
    UseEnglish();
    ActiveTranslationTable()[u"Quitter"] = u"";
    const char16_t* source = u"Quitter";
    EXPECT_EQ(Translate(source), source);
}

TEST_F(Translation, BuiltInEnglishHoldsEveryTextOfTheProgram) {
    UseEnglish();
    EXPECT_EQ(ActiveTranslationTable().size(), 186u);
    EXPECT_EQ(ActiveTranslationTable().at(u"LANG_NAME"), u"English");
}

TEST_F(Translation, BuiltInEnglishReplacesExistingValues) {
    ActiveTranslationTable()[u"Quitter"] = u"Sortir";
    ActiveTranslationTable()[u"Hors table"] = u"kept";
    UseEnglish();
    EXPECT_EQ(ActiveTranslationTable().at(u"Quitter"), u"Quit");
    EXPECT_EQ(ActiveTranslationTable().at(u"Hors table"), u"kept");
    EXPECT_EQ(ActiveTranslationTable().size(), 187u);
}

TEST_F(Translation, KeysKeepTheirExactPunctuation) {
    UseEnglish();
    const TranslationTable& table = ActiveTranslationTable();
    // One ellipsis character, not three full stops.
    EXPECT_EQ(table.at(u"Paramètres\u2026"), u"Settings\u2026");
    EXPECT_EQ(table.at(u"Choisir\u2026"), u"Choose\u2026");
    EXPECT_EQ(table.at(u"Convertir en tache cedulee\u2026"), u"Convert to scheduled task\u2026");
    EXPECT_EQ(table.count(u"Paramètres..."), 0u);
    // Three full stops here.
    EXPECT_EQ(table.at(u"Nouvelle categorie..."), u"New category...");
    EXPECT_EQ(table.count(u"Nouvelle categorie\u2026"), 0u);
    // The trailing space is part of the key and of the value.
    EXPECT_EQ(table.at(u"Son : "), u"Sound: ");
    EXPECT_EQ(table.count(u"Son :"), 0u);
    const char16_t* withoutSpace = u"Son :";
    EXPECT_EQ(Translate(withoutSpace), withoutSpace);
}

TEST_F(Translation, WeekdayLabelsFallBackToFrenchLetters) {
    const std::u16string french[] = {u"L", u"M", u"M", u"J", u"V", u"S", u"D"};
    for (int day = 0; day < 7; ++day) EXPECT_EQ(WeekdayLabel(day), french[day]) << day;
}

TEST_F(Translation, WeekdayLabelsComeFromTheTable) {
    UseEnglish();
    const std::u16string english[] = {u"M", u"T", u"W", u"T", u"F", u"S", u"S"};
    for (int day = 0; day < 7; ++day) EXPECT_EQ(WeekdayLabel(day), english[day]) << day;
    ActiveTranslationTable()[u"WDAY3"] = u"";
    EXPECT_EQ(WeekdayLabel(3), u"J");
}

TEST_F(Translation, WeekdayLabelOutsideTheWeekIsEmpty) {
    UseEnglish();
    EXPECT_EQ(WeekdayLabel(-1), u"");
    EXPECT_EQ(WeekdayLabel(7), u"");
    EXPECT_EQ(WeekdayLabel(1000), u"");
}

}  // namespace

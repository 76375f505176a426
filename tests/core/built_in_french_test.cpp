#include "i18n/core/built_in_french.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "i18n/core/built_in_english.h"

namespace {

TranslationTable French() {
    TranslationTable table;
    FillBuiltInFrench(table);
    return table;
}

TranslationTable English() {
    TranslationTable table;
    FillBuiltInEnglish(table);
    return table;
}

std::string Printable(const std::u16string& text) {
    return testing::PrintToString(text);
}

// Every text the program translates is a key of the English table; French
// must show each of them, and hold no key the program never asks for.
TEST(BuiltInFrench, HasAFrenchTextForEveryKeyAndNoOtherKey) {
    const TranslationTable french = French();
    const TranslationTable english = English();
    for (const auto& [key, text] : english) {
        const auto found = french.find(key);
        EXPECT_TRUE(found != french.end() && !found->second.empty()) << "no French for " << Printable(key);
    }
    for (const auto& [key, text] : french) EXPECT_EQ(english.count(key), 1u) << "unknown key " << Printable(key);
}

TEST(BuiltInFrench, ShowsTheAccentsTheKeysLack) {
    const struct {
        std::u16string key;
        std::u16string french;
    } cases[] = {
        {u"Non-categorise", u"Non catégorisé"},
        {u"+ Ajouter une entree", u"+ Ajouter une entrée"},
        {u"Echeance :", u"Échéance\u00A0:"},
        {u"Parametres", u"Paramètres"},
        {u"Fevrier", u"Février"},
        {u"Aout", u"Août"},
        {u"Decembre", u"Décembre"},
        {u"Quillboard est deja en cours d'execution.", u"Quillboard est déjà en cours d'exécution."},
        {u"Convertir en tache cedulee…", u"Convertir en tâche cédulée…"},
        {u"Appuyez sur une touche...", u"Appuyez sur une touche"},
        {u"Annuler la modification", u"Annuler"},
        {u"WDAY0", u"L"},
        {u"WDAY6", u"D"},
    };
    const TranslationTable french = French();
    for (const auto& c : cases) EXPECT_EQ(french.at(c.key), c.french) << Printable(c.key);
}

// Words the old texts wrote without their accents; none may be shown.
TEST(BuiltInFrench, NoTextShowsAWordWithoutItsAccents) {
    constexpr std::u16string_view kBareWords[] = {
        u"categori", u"Categori", u"cedule", u"Cedule", u"tache", u"entree", u"Entree", u"Echeance",
        u"Parametre", u"deja", u"execution", u"Fevrier", u"Aout", u"Decembre", u"defaut", u"Defaut",
        u"Desancrer", u"Gerer", u"Epingler", u"desepingler", u"Reinitialiser", u"Transferer", u"creer",
        u" etre ", u"Reessayez", u"developpement", u" a gauche", u" a droite",
    };
    constexpr std::u16string_view kFileName = u"categories.txt";  // named as it is on disk
    for (auto [key, text] : French()) {
        if (const std::size_t file = text.find(kFileName); file != std::u16string::npos) {
            text.erase(file, kFileName.size());
        }
        for (std::u16string_view bare : kBareWords) {
            EXPECT_EQ(text.find(bare), std::u16string::npos) << Printable(text);
        }
    }
}

// A no-break space before ":", ";", "?" and "!", so the sign never starts a
// line; one ellipsis character rather than three full stops.
TEST(BuiltInFrench, FollowsFrenchTypography) {
    for (const auto& [key, text] : French()) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (std::u16string_view(u":;?!").find(text[i]) == std::u16string_view::npos) continue;
            EXPECT_TRUE(i > 0 && text[i - 1] == u'\u00A0') << Printable(text);
        }
        EXPECT_EQ(text.find(u"..."), std::u16string::npos) << Printable(text);
    }
}

}  // namespace

#include "search/core/text_folding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct FoldCase {
    std::u16string source;
    std::u16string folded;
};

}  // namespace

TEST(TextFolding, CaseAndAccentsGoAndLettersThatSpellOutBecomeTwo) {
    const FoldCase cases[] = {
        {u"Résumé", u"resume"},
        {u"ÀÂÄÇÉÈÊËÎÏÔÖÙÛÜŸ", u"aaaceeeeiioouuuy"},
        {u"àâäçéèêëîïôöùûüÿ", u"aaaceeeeiioouuuy"},
        {u"Œuvre, cœur", u"oeuvre, coeur"},
        {u"Æsop, ex æquo", u"aesop, ex aequo"},
        {u"Straße", u"strasse"},
        {u"Þór", u"thor"},
        {u"Ĳssel", u"ijssel"},
        {u"Øresund Łódź Đakovo Ħamrun", u"oresund lodz dakovo hamrun"},
        {u"Škoda Čapek Ňuňo Ťažký Żółw ĞİŞ ı", u"skoda capek nuno tazky zolw gis i"},
        {u"Ștefan Țara Ơn Ưu", u"stefan tara on uu"},
        {u"ﬁnance ﬂeur eﬀet ﬃ ﬄ ﬅ ﬆ", u"finance fleur effet ffi ffl st st"},
        {u"ＡＢＣ１２３", u"abc123"},
        // Decomposed accents, as some keyboards and other systems type them.
        {u"Re\u0301sume\u0301", u"resume"},
        {u"ΆΈΉΊΌΎΏ ΐΰ Σοφία σοφός", u"αεηιουω ιυ σοφια σοφοσ"},
        {u"ЁЛКА Привет", u"елка привет"},
        {u"l\u2019agenda \u201Cici\u201D e\u2011mail 10\u201312 a\u00A0b c\u202Fd", u"l'agenda \"ici\" e-mail 10-12 a b c d"},
        // Kept as they are: signs, other scripts, letters with two marks, surrogates.
        {u"× ÷ 日本 ệ \U0001F600", u"× ÷ 日本 ệ \U0001F600"},
    };
    for (const FoldCase& c : cases) {
        EXPECT_EQ(FoldText(c.source).text, c.folded);
        EXPECT_EQ(FoldedForSearch(c.source), c.folded);
    }
}

TEST(TextFolding, EachFoldedUnitPointsAtTheUnitItCameFrom) {
    struct OriginCase {
        std::u16string source;
        std::vector<std::uint32_t> origin;
    };
    const OriginCase cases[] = {
        {u"Abc", {0, 1, 2}},
        {u"xŒy", {0, 1, 1, 2}},
        {u"e\u0301t\u0301", {0, 2}},
        {u"ﬃn", {0, 0, 0, 1}},
        {u"", {}},
    };
    for (const OriginCase& c : cases) EXPECT_EQ(FoldText(c.source).origin, c.origin) << c.source.size();
}

TEST(TextFolding, WordCharactersAreLettersAndDigitsOfAnyScript) {
    for (const char16_t unit : std::u16string(u"aZ09éŒσж日")) EXPECT_TRUE(IsWordCharacter(unit)) << int(unit);
    for (const char16_t unit : std::u16string(u" .,'-\u00A0«»×\u2019\u2014\u3001")) {
        EXPECT_FALSE(IsWordCharacter(unit)) << int(unit);
    }
}

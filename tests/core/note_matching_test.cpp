#include "search/core/note_matching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CategoryStore Store() {
    CategoryStore store;
    store.categories = {
        {1, u"Travail", 0x00FFE0C0, {{2, u"Réunions"}}},
        {3, u"Maison", 0x00C0FFC0, {}},
    };
    return store;
}

NoteProperties Filed(std::int32_t category, std::int32_t subcategory = 0) {
    NoteProperties note;
    note.categoryId = category;
    note.subcategoryId = subcategory;
    return note;
}

NoteProperties Scheduled(std::vector<std::u16string> texts) {
    NoteProperties note;
    note.type = kNoteScheduled;
    for (std::u16string& text : texts) note.entries.push_back(NoteEntry{.text = std::move(text)});
    return note;
}

SearchableNote Searchable(const NoteProperties& note, const std::u16string& text, std::uint64_t id = 0) {
    return MakeSearchableNote(note, text, Store(), id);
}

// Four notes of different kinds, ids and categories.
std::vector<SearchableNote> Notes() {
    return {
        Searchable(Filed(1, 2), u"Appeler Marc au 06 12 34 56 78\r\nRésumé de la réunion", 10),
        Searchable(Scheduled({u"Envoyer le CV", u"Téléphoner à l\u2019hôtel"}), u"hidden text", 20),
        Searchable(Filed(3), u"Liste de courses : œufs, pain\r\nPasser à l'hôtel de ville", 30),
        Searchable(Filed(0), u"Hôtel Beau Séjour", 5),
    };
}

std::vector<std::size_t> Found(std::u16string_view query) {
    std::vector<std::size_t> notes;
    for (const NoteMatch& match : FindNotes(Notes(), query)) notes.push_back(match.note);
    return notes;
}

}  // namespace

TEST(NoteMatching, EveryWordMustOccurSomewhereInTheNoteIgnoringCaseAndAccents) {
    struct Case {
        std::u16string query;
        std::vector<std::size_t> notes;
    };
    const Case cases[] = {
        {u"", {2, 1, 0, 3}},  // every note, the newer (higher id) first
        {u"   ", {2, 1, 0, 3}},
        {u"resume", {0}},
        {u"RÉSUMÉ", {0}},
        {u"marc 06", {0}},
        {u"06 marc", {0}},                 // any order
        {u"marc courses", {}},             // each word in another note finds neither
        {u"travail", {0}},                 // the category's name
        {u"reunions appeler", {0}},        // the subcategory's name and the text
        {u"maison oeufs", {2}},            // category and text; œ is oe
        {u"cv envoyer", {1}},              // a scheduled note's entries
        {u"hidden", {}},                   // not the text a scheduled note hides
        {u"tel", {1, 2, 3}},               // a word start first, then inside words, newer first
        {u"l'hotel", {2, 1}},              // the typographic apostrophe is the typed one
        {u"xyz", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Found(c.query), c.notes) << std::string(c.query.begin(), c.query.end());
}

TEST(NoteMatching, QueryWordsAreFoldedSplitAtWhiteSpaceAndKeptOnce) {
    EXPECT_EQ(QueryWords(u"  Résumé  resume\tCV\r\nœil "), (std::vector<std::u16string>{u"resume", u"cv", u"oeil"}));
    EXPECT_TRUE(QueryWords(u" \t ").empty());
}

TEST(NoteMatching, HitsArePlacesInTheTextAsWrittenWithTheirAccents) {
    struct Case {
        std::u16string text;
        std::u16string query;
        WordHit hit;
    };
    const Case cases[] = {
        {u"Mon Résumé", u"resu", {0, 4, 8, true}},
        {u"Mon cœur", u"coeur", {0, 4, 8, true}},
        {u"Mon cœur", u"oe", {0, 5, 6, false}},
        {u"Cafe\u0301 noir", u"cafe", {0, 0, 5, true}},
        // A word start wins over an earlier place inside a word.
        {u"hôtel, téléphone", u"tel", {0, 7, 10, true}},
        {u"hôtel", u"tel", {0, 2, 5, false}},
    };
    for (const Case& c : cases) {
        const std::optional<NoteMatch> match = MatchNote(Searchable(Filed(0), c.text), QueryWords(c.query));
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->hits, std::vector<WordHit>{c.hit});
    }
}

TEST(NoteMatching, ResultsShowTheFirstLineAndTheWordsThatMatched) {
    struct Case {
        SearchableNote note;
        std::u16string query;
        std::u16string firstLine;
        std::u16string words;
    };
    const std::u16string longWord = std::u16string(100, u'a') + u"needle" + std::u16string(100, u'b');
    const Case cases[] = {
        {Notes()[0], u"resu", u"Appeler Marc au 06 12 34 56 78", u"Résumé"},
        {Notes()[0], u"réunion travail", u"Appeler Marc au 06 12 34 56 78", u"réunion · Travail"},
        {Notes()[0], u"reu reunion", u"Appeler Marc au 06 12 34 56 78", u"réunion"},
        {Notes()[1], u"hotel", u"Envoyer le CV", u"hôtel"},
        {Notes()[3], u"", u"Hôtel Beau Séjour", u""},
        {Searchable(Filed(0), u"\r\n  \r\n  Première ligne  \r\nSeconde"), u"sec", u"Première ligne", u"Seconde"},
        {Searchable(Scheduled({u"", u"  Deuxième  "}), u""), u"deux", u"Deuxième", u"Deuxième"},
        {Searchable(Filed(3), u" "), u"maison", u"", u"Maison"},
        {Searchable(Filed(0), longWord), u"needle",
         longWord, std::u16string(24, u'a') + u"needle" + std::u16string(24, u'b')},
    };
    for (const Case& c : cases) {
        const std::optional<NoteMatch> match = MatchNote(c.note, QueryWords(c.query));
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(FirstLine(c.note), c.firstLine);
        EXPECT_EQ(MatchedWords(c.note, *match), c.words);
    }
}

TEST(NoteMatching, TheCaretGoesToTheEarliestHitInTheTextOrEntriesNeverToACategoryName) {
    struct Case {
        SearchableNote note;
        std::u16string query;
        std::optional<WordHit> caret;
    };
    const Case cases[] = {
        {Notes()[0], u"reunion marc", WordHit{0, 8, 12, true}},
        {Notes()[0], u"travail", std::nullopt},
        {Notes()[1], u"hotel cv", WordHit{0, 11, 13, true}},
        {Notes()[1], u"hotel", WordHit{1, 15, 20, true}},
    };
    for (const Case& c : cases) {
        const std::optional<NoteMatch> match = MatchNote(c.note, QueryWords(c.query));
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(CaretHit(c.note, *match), c.caret);
    }
}

TEST(NoteMatching, ARowTellsWhereItsNoteIsFiledWhenItIs) {
    const struct {
        NoteProperties note;
        std::u16string filed;
    } cases[] = {
        {Filed(1, 2), u"Travail › Réunions"},
        {Filed(3), u"Maison"},
        {Filed(1, 99), u"Travail"},  // a subcategory gone meanwhile
        {Filed(0), u""},
        {Filed(42), u""},  // a category gone meanwhile
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FiledUnder(Searchable(c.note, u"texte")), c.filed);
    }
}

// The find window searches only the notes the shorter query found once more
// is typed: that must find exactly what a search of every note finds.
TEST(NoteMatching, TypingMoreSearchesOnlyWhatTheShorterQueryFoundAndFindsTheSame) {
    const std::vector<SearchableNote> notes = Notes();
    const struct {
        std::u16string shorter;
        std::u16string longer;
        bool narrows;
    } cases[] = {
        {u"", u"re", true},
        {u"re", u"resu", true},
        {u"resu", u"resume travail", true},
        {u"marc ", u"marc 06", true},
        {u"œ", u"œuvre", true},
        {u"resume", u"resum", false},
        {u"travail", u"maison", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.shorter.begin(), c.shorter.end()) << " -> "
                                        << std::string(c.longer.begin(), c.longer.end()));
        EXPECT_EQ(NarrowsQuery(c.shorter, c.longer), c.narrows);
        if (!c.narrows) continue;
        std::vector<std::size_t> found;
        for (const NoteMatch& match : FindNotes(notes, c.shorter)) found.push_back(match.note);
        EXPECT_EQ(FindNotesAmong(notes, found, c.longer), FindNotes(notes, c.longer));
    }
}

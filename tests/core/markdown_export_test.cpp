#include "app/core/markdown_export.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include <string>
#include <vector>

#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"

namespace {

CategoryStore Store() {
    CategoryStore store;
    store.categories = {
        {1, u"Travail", 0x00FFE0C0, {{2, u"Réunions"}, {4, u"Clients"}}},
        {3, u"Maison", 0x00C0FFC0, {}},
        {5, u"Vide", 0x00C0C0FF, {}},
    };
    return store;
}

ExportedNote Regular(std::uint64_t id, std::u16string text, std::int32_t category = 0, std::int32_t subcategory = 0) {
    ExportedNote note;
    note.id = id;
    note.properties.categoryId = category;
    note.properties.subcategoryId = subcategory;
    note.text = std::move(text);
    return note;
}

ExportedNote Scheduled(std::uint64_t id, std::vector<NoteEntry> entries, std::int32_t category = 0,
                       std::int32_t subcategory = 0) {
    ExportedNote note = Regular(id, u"texte caché", category, subcategory);
    note.properties.type = kNoteScheduled;
    note.properties.entries = std::move(entries);
    return note;
}

// What one uncategorised note with this text exports as.
std::u16string AloneUncategorised(const std::u16string& block) {
    return u"# Non-categorise\r\n\r\n" + block + u"\r\n";
}

class MarkdownExport : public ::testing::Test {
protected:
    FreshTranslations translations_;
};

}  // namespace

TEST_F(MarkdownExport, AScheduledNoteIsATaskListUnderItsHeadingsInItsOrder) {
    const std::vector<NoteEntry> entries = {
        {.id = 1, .due = 202503140930, .text = u"Préparer l'ordre du jour"},
        {.id = 2, .due = 0, .text = u"Réserver la salle"},
        {.id = 3, .due = 202503100000, .done = 1, .notified = 1, .doneDate = 20250310, .text = u"Envoyer le compte rendu"},
        {.id = 4, .due = 202512312359, .done = 1, .text = u""},
    };
    EXPECT_EQ(NotesAsMarkdown({Scheduled(7, entries, 1, 2)}, Store()),
              u"# Travail\r\n"
              u"\r\n"
              u"## Réunions\r\n"
              u"\r\n"
              u"- [x] Envoyer le compte rendu (2025-03-10)\r\n"
              u"- [ ] Préparer l'ordre du jour (2025-03-14 09:30)\r\n"
              u"- [x] (2025-12-31 23:59)\r\n"
              u"- [ ] Réserver la salle\r\n");
}

TEST_F(MarkdownExport, NotesGoByCategoryThenSubcategoryOldestFirstUncategorisedLast) {
    const std::vector<ExportedNote> notes = {
        Regular(40, u"Sans catégorie"),
        Regular(30, u"Deuxième note de travail", 1),
        Regular(10, u"Première note de travail", 1),
        Regular(20, u"Client A", 1, 4),
        Regular(25, u"Catégorie disparue", 9),
        Regular(26, u"Sous-catégorie disparue", 1, 99),
        Regular(50, u"Courses", 3),
        Regular(60, u"  \r\n ", 3),          // blank: left out
        Scheduled(70, {}, 5),                // no entry: left out, and its heading with it
        Regular(80, u"Réunion", 1, 2),
    };
    EXPECT_EQ(NotesAsMarkdown(notes, Store()),
              u"# Travail\r\n\r\n"
              u"Première note de travail\r\n\r\n---\r\n\r\n"
              u"Sous-catégorie disparue\r\n\r\n---\r\n\r\n"
              u"Deuxième note de travail\r\n\r\n"
              u"## Réunions\r\n\r\n"
              u"Réunion\r\n\r\n"
              u"## Clients\r\n\r\n"
              u"Client A\r\n\r\n"
              u"# Maison\r\n\r\n"
              u"Courses\r\n\r\n"
              u"# Non-categorise\r\n\r\n"
              u"Catégorie disparue\r\n\r\n---\r\n\r\n"
              u"Sans catégorie\r\n");
}

TEST_F(MarkdownExport, TextLinesStayLinesAndNothingInThemReadsAsTheFilesOwnHeadingsOrRules) {
    const struct {
        std::u16string text;
        std::u16string block;
    } cases[] = {
        {u"Lait\r\nŒufs\r\nPain", u"Lait  \r\nŒufs  \r\nPain"},
        {u"Lait\nŒufs\rPain", u"Lait  \r\nŒufs  \r\nPain"},
        {u"Titre\r\n\r\n\r\n\r\nCorps", u"Titre\r\n\r\nCorps"},
        {u"\r\n\r\n  Retrait gardé \t\r\n\r\n", u"  Retrait gardé"},
        {u"# pas un titre\r\n  ## non plus", u"\\# pas un titre  \r\n  \\## non plus"},
        {u"Ligne\r\n---\r\n===\r\n* * *\r\n_", u"Ligne  \r\n\\---  \r\n\\===  \r\n\\* * *  \r\n\\_"},
        {u"- une liste\r\n- reste une liste", u"- une liste  \r\n- reste une liste"},
        {u"C#, 5 # 3, -- x", u"C#, 5 # 3, -- x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotesAsMarkdown({Regular(1, c.text)}, Store()), AloneUncategorised(c.block))
            << testing::PrintToString(c.text);
    }
}

TEST_F(MarkdownExport, NoNoteGivesAnEmptyFileAndTheUncategorisedHeadingIsTranslated) {
    EXPECT_EQ(NotesAsMarkdown({}, Store()), u"");
    EXPECT_EQ(NotesAsMarkdown({Regular(1, u" ")}, Store()), u"");
    FillBuiltInEnglish(ActiveTranslationTable());
    EXPECT_EQ(NotesAsMarkdown({Regular(1, u"x")}, Store()), u"# Uncategorized\r\n\r\nx\r\n");
}

TEST_F(MarkdownExport, AMalformedDueFromADamagedFileShowsNoDate) {
    const std::vector<NoteEntry> entries = {{.id = 1, .due = 202513400000, .text = u"Date abîmée"}};
    EXPECT_EQ(NotesAsMarkdown({Scheduled(1, entries)}, Store()), AloneUncategorised(u"- [ ] Date abîmée"));
}

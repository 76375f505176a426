#include "notes/core/restore_rows.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"
#include "i18n/core/built_in_english.h"

namespace {

TEST(RestoreRows, ANoteShowsItsFirstLineItsCategoryAndWhen) {
    FreshTranslations translations;
    CategoryStore categories;
    categories.categories.push_back(Category{3, u"Work", 0x00FF0000, {Subcategory{4, u"Meetings"}}});
    const Moment when{2025, 3, 30, 14, 5};
    const auto note = [](std::int32_t categoryId, std::int32_t subcategoryId, std::u16string body) {
        NoteFields fields;
        fields.categoryId = categoryId;
        fields.subcategoryId = subcategoryId;
        fields.body = std::move(body);
        return fields;
    };
    NoteFields scheduled;
    scheduled.entries.push_back(NoteEntry{1, 0, 0, 0, 0, u"Call\tAnna"});
    const struct {
        NoteFields fields;
        std::u16string row;
    } cases[] = {
        {note(3, 4, u"\r\n Agenda\r\nitem"),
         u"Agenda\tWork > Meetings\t30/03/2025 14:05"},
        {note(9, 0, u"a\tb"), u"a b\tNon-categorise\t30/03/2025 14:05"},
        {scheduled, u"Call Anna\tNon-categorise\t30/03/2025 14:05"},
        {NoteFields{}, u"(note vide)\tNon-categorise\t30/03/2025 14:05"},
    };
    for (const auto& c : cases) EXPECT_EQ(NoteRowText(c.fields, categories, when), c.row);
}

TEST(RestoreRows, ABackupShowsWhenItsNotesAndWhetherItCameBeforeARestore) {
    FreshTranslations translations;
    EXPECT_EQ(BackupRowText({{2025, 3, 30, 9, 0}, false, 1}, 12), u"30/03/2025 09:00\t12 notes");
    EXPECT_EQ(BackupRowText({{2025, 3, 30, 9, 0}, false, 1}, 1), u"30/03/2025 09:00\t1 note");
    EXPECT_EQ(BackupRowText({{2025, 3, 30, 15, 7}, true, 2}, 0), u"30/03/2025 15:07\t0 notes\tavant restauration");
    FillBuiltInEnglish(translations.Table());
    EXPECT_EQ(BackupRowText({{2025, 3, 30, 15, 7}, true, 1}, 3), u"30/03/2025 15:07\t3 notes\tbefore a restore");
}

}  // namespace

// The rules that let two machines share a data folder through a sync
// service: the names of its clash copies, category ids that rarely meet,
// and two versions of the categories made into one.
#include <gtest/gtest.h>

#include "storage/core/category_merge.h"
#include "storage/core/category_store.h"
#include "storage/core/clash_copies.h"

namespace {

TEST(ClashCopies, TheThreeServicesShapesNameTheirNoteAndNothingElseDoes) {
    constexpr std::uint64_t kId = 0x0123456789ABCDEF;
    const struct {
        std::u16string_view name;
        std::optional<std::uint64_t> id;
    } cases[] = {
        {u"note_0123456789ABCDEF.sync-conflict-20261209-101500-ABCDEFG.txt", kId},
        {u"note_0123456789abcdef (Bob's conflicted copy 2026-12-09).txt", kId},
        {u"NOTE_0123456789ABCDEF-HOMEPC.TXT", kId},
        {u"note_0123456789ABCDEF.txt", std::nullopt},  // the note's own file
        {u"note_0123456789ABCDEF.sync-conflict-.txt", std::nullopt},
        {u"note_0123456789ABCDEF ().txt", std::nullopt},
        {u"note_0123456789ABCDEF-.txt", std::nullopt},
        {u"note_0123456789ABCDEF-HOMEPC.txt.tmp", std::nullopt},
        {u"note_0123456789ABCDEF.txt.original", std::nullopt},
        {u"note_0123456789ABCDEG-HOMEPC.txt", std::nullopt},  // not 16 hex digits
        {u"note_0123-HOMEPC.txt", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(NoteClashCopyId(c.name), c.id) << testing::PrintToString(std::u16string(c.name));
    EXPECT_TRUE(IsCategoriesClashCopy(u"categories.sync-conflict-20261209-101500-ABCDEFG.txt"));
    EXPECT_TRUE(IsCategoriesClashCopy(u"categories (Bob's conflicted copy).txt"));
    EXPECT_TRUE(IsCategoriesClashCopy(u"categories-HOMEPC.txt"));
    EXPECT_FALSE(IsCategoriesClashCopy(u"categories.txt"));
    EXPECT_FALSE(IsCategoriesClashCopy(u"categories.txt.tmp"));
}

TEST(CategoryIds, ANewIdLiesWithinTheSpreadAboveNextIdAndNextIdMovesPastIt) {
    const struct {
        std::int32_t nextId;
        std::uint32_t spread;
        std::int32_t id;
    } cases[] = {
        {5, 0, 5},                                            // as ids always were
        {5, 10, 15},
        {5, kCategoryIdSpread + 3, 8},                        // modulo the spread
        {kCategoryIdLimit - 3, 100, kCategoryIdLimit - 2},    // never past the menu's limit
        {kCategoryIdLimit - 1, 0xFFFFFFFF, kCategoryIdLimit - 1},
    };
    for (const auto& c : cases) {
        CategoryStore store;
        store.nextId = c.nextId;
        const CreateResult made = CreateCategory(store, u"Travail", 0x112233, c.spread);
        EXPECT_EQ(made.id, c.id) << c.nextId << " + " << c.spread;
        EXPECT_EQ(store.nextId, c.id + 1);
    }
}

CategoryStore Store(std::vector<Category> categories, std::int32_t nextId) {
    return CategoryStore{std::move(categories), nextId};
}

TEST(CategoryMerge, SameIdAndNameIsOneNewcomersAreAddedAndAClashOfIdsKeepsBoth) {
    const CategoryStore ours = Store({{1, u"Travail", 0x0000FF, {{2, u"Urgent"}}}, {3, u"Maison", 0x00FF00, {}}}, 4);
    const CategoryStore theirs = Store({{1, u"Travail", 0x0000FE, {{2, u"Urgent"}, {4, u"Plus tard"}}},
                                        {3, u"Sport", 0xFF0000, {{5, u"Vélo"}}},
                                        {4000, u"Voyages", 0x123456, {}}},
                                       4001);
    const CategoryMerge merge = MergeCategoryStores(ours, theirs, 0);
    const CategoryStore expected = Store({{1, u"Travail", 0x0000FF, {{2, u"Urgent"}, {4, u"Plus tard"}}},
                                          {3, u"Maison", 0x00FF00, {}},
                                          {4001, u"Sport", 0xFF0000, {{5, u"Vélo"}}},
                                          {4000, u"Voyages", 0x123456, {}}},
                                         4002);
    EXPECT_EQ(merge.store, expected);
    // Only their notes under "Sport", told apart by its colour, follow it.
    EXPECT_EQ(FilingAfterMerge(merge.moves, 3, 5, 0xFF0000), (std::pair{4001, 5}));
    EXPECT_EQ(FilingAfterMerge(merge.moves, 3, 0, 0x00FF00), (std::pair{3, 0}));
    EXPECT_EQ(FilingAfterMerge(merge.moves, 1, 4, 0x0000FF), (std::pair{1, 4}));
}

TEST(CategoryMerge, ASubcategoryIdTakenOnBothSidesMovesTheirsAndItsNotesWhenTheyCanBeToldApart) {
    // Both machines added a subcategory to "Travail" from the same NEXTID.
    const CategoryStore ours = Store({{1, u"Travail", 0x0000FF, {{2, u"Urgent"}}}}, 3);
    const CategoryStore theirs = Store({{1, u"Travail", 0x0000FF, {{2, u"Appels"}}}}, 3);
    const CategoryMerge merge = MergeCategoryStores(ours, theirs, 7);
    EXPECT_EQ(merge.store, Store({{1, u"Travail", 0x0000FF, {{2, u"Urgent"}, {10, u"Appels"}}}}, 11));
    // A note under 1 > 2 may be either side's: it stays.
    EXPECT_EQ(FilingAfterMerge(merge.moves, 1, 2, 0x0000FF), (std::pair{1, 2}));
}

TEST(CategoryMerge, NextIdEndsAboveEveryIdOfBothSides) {
    const CategoryStore ours = Store({{9, u"A", 1, {}}}, 2);  // a damaged NEXTID
    const CategoryStore theirs = Store({{3, u"B", 2, {{70, u"C"}}}}, 5);
    EXPECT_EQ(MergeCategoryStores(ours, theirs, 0).store.nextId, 71);
}

}  // namespace

#include "notes/core/note_title.h"
#include "storage/core/category_store.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include "i18n/core/translation.h"

namespace {

constexpr ColourRef kRed = 0x000000FF;
constexpr ColourRef kGreen = 0x0000FF00;
constexpr ColourRef kBlue = 0x00FF0000;

// Work (id 1, red) with Urgent (2) and Later (3); Home (4, green).
CategoryStore SampleStore() {
    CategoryStore store;
    store.categories = {
        {1, u"Work", kRed, {{2, u"Urgent"}, {3, u"Later"}}},
        {4, u"Home", kGreen, {}},
    };
    store.nextId = 5;
    return store;
}

TEST(CategoryStore, FirstCategoryGetsIdOneAndAdvancesTheCounter) {
    CategoryStore store;
    const CreateResult result = CreateCategory(store, u"Travail", kRed);
    EXPECT_EQ(result.status, CreateStatus::Created);
    EXPECT_EQ(result.id, 1);
    EXPECT_EQ(store.nextId, 2);
    ASSERT_EQ(store.categories.size(), 1u);
    EXPECT_EQ(store.categories[0], (Category{1, u"Travail", kRed, {}}));
}

TEST(CategoryStore, CategoriesAndSubcategoriesShareOneCounter) {
    CategoryStore store;
    const std::int32_t work = CreateCategory(store, u"Work", kRed).id;
    const CreateResult sub = CreateSubcategory(store, work, u"Urgent");
    const CreateResult home = CreateCategory(store, u"Home", kGreen);
    EXPECT_EQ(sub.status, CreateStatus::Created);
    EXPECT_EQ(sub.id, 2);
    EXPECT_EQ(home.id, 3);
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{2, u"Urgent"}}));
}

TEST(CategoryStore, CreatingWithATakenColourChangesNothing) {
    CategoryStore store = SampleStore();
    const CategoryStore before = store;
    const CreateResult result = CreateCategory(store, u"Other", kGreen);
    EXPECT_EQ(result.status, CreateStatus::ColourTaken);
    EXPECT_EQ(result.id, 0);
    EXPECT_EQ(store, before);
}

TEST(CategoryStore, SubcategoryOfAMissingCategoryIsRefused) {
    CategoryStore store = SampleStore();
    const CategoryStore before = store;
    for (std::int32_t missing : {0, 2, 99, -1}) {
        const CreateResult result = CreateSubcategory(store, missing, u"X");
        EXPECT_EQ(result.status, CreateStatus::UnknownCategory) << missing;
        EXPECT_EQ(result.id, 0);
    }
    EXPECT_EQ(store, before);
}

TEST(CategoryStore, LastIdThatFitsTheMenuIsHandedOutThenCreationIsRefused) {
    CategoryStore store;
    store.nextId = kCategoryIdLimit - 1;
    const CreateResult last = CreateCategory(store, u"Last", kRed);
    EXPECT_EQ(last.status, CreateStatus::Created);
    EXPECT_EQ(last.id, 0xFFFFFF);
    EXPECT_FALSE(HasFreeId(store));

    const CategoryStore before = store;
    const CreateResult category = CreateCategory(store, u"More", kBlue);
    const CreateResult subcategory = CreateSubcategory(store, last.id, u"Sub");
    EXPECT_EQ(category.status, CreateStatus::IdsExhausted);
    EXPECT_EQ(subcategory.status, CreateStatus::IdsExhausted);
    EXPECT_EQ(category.id, 0);
    EXPECT_EQ(subcategory.id, 0);
    EXPECT_EQ(store, before);

    // Never produced by loading, but an id of 0 would read as "none".
    store.nextId = 0;
    EXPECT_EQ(CreateCategory(store, u"X", kBlue).status,
              CreateStatus::IdsExhausted);
}

TEST(CategoryStore, ExhaustionIsReportedBeforeAColourConflict) {
    // The user could not succeed with another colour either.
    CategoryStore store = SampleStore();
    store.nextId = kCategoryIdLimit;
    EXPECT_EQ(CreateCategory(store, u"X", kRed).status,
              CreateStatus::IdsExhausted);
}

TEST(CategoryStore, ColourIsKeptToTheThreeChannelsTheFileCanHold) {
    CategoryStore store;
    CreateCategory(store, u"X", 0xFF0000FF);
    EXPECT_EQ(store.categories[0].colour, kRed);
    EXPECT_EQ(CreateCategory(store, u"Y", 0x010000FF).status,
              CreateStatus::ColourTaken);
}

TEST(CategoryStore, SanitizeNameRemovesOnlyLineBreakingCharacters) {
    struct Case {
        std::u16string typed;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"A|B", u"AB"},
        {u"A\tB", u"AB"},
        {u"A\r\nB", u"AB"},
        {u"|\t\r\n", u""},
        {u"  Été 2024  ", u"  Été 2024  "},  // nothing trimmed, accents kept
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SanitizeName(c.typed), c.stored);
    }
}

TEST(CategoryStore, CreateAndRenameSanitizeNames) {
    CategoryStore store;
    const std::int32_t id = CreateCategory(store, u"A|B", kRed).id;
    const std::int32_t sub = CreateSubcategory(store, id, u"C\nD").id;
    EXPECT_EQ(store.categories[0].name, u"AB");
    EXPECT_EQ(store.categories[0].subcategories[0].name, u"CD");
    EXPECT_TRUE(RenameCategory(store, id, u"E\tF"));
    EXPECT_TRUE(RenameSubcategory(store, id, sub, u"G\rH|"));
    EXPECT_EQ(store.categories[0].name, u"EF");
    EXPECT_EQ(store.categories[0].subcategories[0].name, u"GH");
}

TEST(CategoryStore, RenameFailsForMissingTargets) {
    CategoryStore store = SampleStore();
    const CategoryStore before = store;
    EXPECT_FALSE(RenameCategory(store, 99, u"X"));
    EXPECT_FALSE(RenameCategory(store, 2, u"X"));  // a subcategory id
    EXPECT_FALSE(RenameSubcategory(store, 4, 2, u"X"));  // not inside Home
    EXPECT_FALSE(RenameSubcategory(store, 1, 0, u"X"));
    EXPECT_EQ(store, before);
}

TEST(CategoryStore, RecolouringToItsOwnColourSucceeds) {
    CategoryStore store = SampleStore();
    EXPECT_TRUE(SetCategoryColour(store, 1, kRed));
    EXPECT_FALSE(SetCategoryColour(store, 1, kGreen));  // Home's colour
    EXPECT_FALSE(SetCategoryColour(store, 99, kBlue));
    EXPECT_EQ(store, SampleStore());
    EXPECT_TRUE(SetCategoryColour(store, 1, kBlue));
    EXPECT_EQ(store.categories[0].colour, kBlue);
}

TEST(CategoryStore, DeleteCategoryKeepsOrderAndNeverReusesIds) {
    CategoryStore store = SampleStore();
    CreateCategory(store, u"Third", kBlue);  // id 5
    EXPECT_TRUE(DeleteCategory(store, 1));  // with Urgent and Later
    EXPECT_EQ(FindOwnerCategory(store, 2), 0);
    ASSERT_EQ(store.categories.size(), 2u);
    EXPECT_EQ(store.categories[0].id, 4);
    EXPECT_EQ(store.categories[1].id, 5);
    EXPECT_EQ(store.nextId, 6);

    EXPECT_TRUE(DeleteCategory(store, 5));  // the newest one
    EXPECT_EQ(CreateCategory(store, u"Again", kBlue).id, 6);
    EXPECT_FALSE(DeleteCategory(store, 5));
}

TEST(CategoryStore, DeleteSubcategoryKeepsTheOthersInOrder) {
    CategoryStore store = SampleStore();
    CreateSubcategory(store, 1, u"Third");  // id 5
    EXPECT_FALSE(DeleteSubcategory(store, 4, 3));  // wrong category
    EXPECT_TRUE(DeleteSubcategory(store, 1, 3));
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{2, u"Urgent"}, {5, u"Third"}}));
    EXPECT_EQ(store.nextId, 6);
}

TEST(CategoryStore, LookupsKeepCategoriesAndSubcategoriesApart) {
    CategoryStore store = SampleStore();
    EXPECT_EQ(FindCategory(store, 2), nullptr);  // a subcategory id
    EXPECT_EQ(FindCategoryByColour(store, kGreen), &store.categories[1]);
    EXPECT_EQ(FindSubcategory(store, 4, 3), nullptr);  // not inside Home
    EXPECT_EQ(FindOwnerCategory(store, 3), 1);
    EXPECT_EQ(FindOwnerCategory(store, 4), 0);  // a category, not a subcategory
}

TEST(CategoryStore, IdZeroNeverMeansAStoredItem) {
    // A store built by hand with id 0 entries: "none" still finds nothing.
    CategoryStore store;
    store.categories = {{0, u"Zero", kRed, {{0, u"ZeroSub"}}}};
    EXPECT_EQ(FindCategory(store, 0), nullptr);
    EXPECT_EQ(FindSubcategory(store, 0, 0), nullptr);
    EXPECT_EQ(FindOwnerCategory(store, 0), 0);
    EXPECT_EQ(CategoryLabel(store, 0, 0), u"Non-categorise");
}

TEST(CategoryStore, LabelNamesCategoryAndSubcategory) {
    const CategoryStore store = SampleStore();
    struct Case {
        std::int32_t categoryId;
        std::int32_t subcategoryId;
        std::u16string label;
    };
    const Case cases[] = {
        {1, 2, u"Work > Urgent"},
        {1, 0, u"Work"},
        {1, 99, u"Work"},          // subcategory gone
        {4, 2, u"Home"},           // subcategory of another category
        {0, 0, u"Non-categorise"},
        {0, 2, u"Non-categorise"},
        {99, 2, u"Non-categorise"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CategoryLabel(store, c.categoryId, c.subcategoryId), c.label)
            << c.categoryId << "/" << c.subcategoryId;
    }
}

TEST(CategoryStore, UncategorisedLabelIsTranslatedButNamesAreNot) {
    FreshTranslations translations;
    TranslationTable& table = translations.Table();
    table[u"Non-categorise"] = u"Uncategorized";
    table[u"Work"] = u"Travail";
    const CategoryStore store = SampleStore();
    EXPECT_EQ(CategoryLabel(store, 0, 0), u"Uncategorized");
    EXPECT_EQ(CategoryLabel(store, 1, 0), u"Work");
}

}  // namespace

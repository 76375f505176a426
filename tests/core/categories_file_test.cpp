#include "storage/core/categories_file.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourRef kRed = 0x000000FF;
constexpr ColourRef kGreen = 0x0000FF00;

std::vector<std::int32_t> CategoryIds(const CategoryStore& store) {
    std::vector<std::int32_t> ids;
    for (const Category& category : store.categories) ids.push_back(category.id);
    return ids;
}

TEST(CategoriesFile, WritesTheExactText) {
    CategoryStore store;
    store.categories = {
        {3, u"Travail", kRed, {{4, u"Urgent"}, {6, u"Plus tard"}}},
        {5, u"Été", 0x00563412, {}},  // red 12, green 34, blue 56
    };
    store.nextId = 7;
    EXPECT_EQ(FormatCategoriesFile(store),
              u"NEXTID|7\r\n"
              u"CAT|3|FF0000|Travail\r\n"
              u"SUB|3|4|Urgent\r\n"
              u"SUB|3|6|Plus tard\r\n"
              u"CAT|5|123456|Été\r\n");
}

TEST(CategoriesFile, ReadsWhatItWrites) {
    const std::u16string text =
        u"NEXTID|9\r\nCAT|3|FF0000|Travail\r\nSUB|3|4|Urgent\r\n"
        u"CAT|5|00FF00|Maison\r\n";
    const CategoryStore store = ParseCategoriesFile(text);
    CategoryStore expected;
    expected.categories = {{3, u"Travail", kRed, {{4, u"Urgent"}}},
                           {5, u"Maison", kGreen, {}}};
    expected.nextId = 9;
    EXPECT_EQ(store, expected);
    EXPECT_EQ(FormatCategoriesFile(store), text);
}

TEST(CategoriesFile, EmptyTextGivesAnEmptyStoreCountingFromOne) {
    EXPECT_EQ(ParseCategoriesFile(u""), CategoryStore{});
}

TEST(CategoriesFile, FirstCategoryOfAnEmptyFileIsWrittenWithCounterTwo) {
    CategoryStore store = ParseCategoriesFile(u"");
    ASSERT_EQ(CreateCategory(store, u"Travail", kRed).id, 1);
    EXPECT_EQ(FormatCategoriesFile(store),
              u"NEXTID|2\r\nCAT|1|FF0000|Travail\r\n");
}

TEST(CategoriesFile, NextIdAfterLoadIsAboveTheLargestId) {
    CategoryStore store = ParseCategoriesFile(u"NEXTID|3\r\nCAT|7|FF0000|A\r\n");
    EXPECT_EQ(CreateCategory(store, u"B", kGreen).id, 8);
}

TEST(CategoriesFile, CounterIsRaisedAboveEveryId) {
    struct Case {
        std::u16string text;
        std::int32_t nextId;
    };
    const Case cases[] = {
        {u"NEXTID|3\nCAT|7|FF0000|A\n", 8},
        {u"NEXTID|3\nCAT|1|FF0000|A\nSUB|1|12|B\n", 13},
        {u"NEXTID|20\nCAT|7|FF0000|A\n", 20},
        {u"CAT|7|FF0000|A\n", 8},                  // no counter line
        {u"NEXTID|4\nNEXTID|30\n", 30},            // the later line wins
        {u"NEXTID|\n", 1},                         // no digits reads as 0
        {u"NEXTID| 12abc\n", 12},                  // lenient number
        {u"NEXTID|0\n", 1},                        // 0 would hand out "none"
        {u"NEXTID|-5\nCAT|2|FF0000|A\n", 3},
        {u"NEXTID|16777216\n", kCategoryIdLimit},  // exhausted, kept
        {u"NEXTID|16777217\nCAT|2|FF0000|A\n", 3},  // beyond: ignored
        {u"NEXTID|99999999999\n", 1},              // saturates, then ignored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCategoriesFile(c.text).nextId, c.nextId);
    }
}

TEST(CategoriesFile, LineEndingsAndLastLine) {
    const CategoryStore expected = ParseCategoriesFile(
        u"NEXTID|5\nCAT|1|FF0000|A\nSUB|1|2|B\n");
    const std::u16string variants[] = {
        u"NEXTID|5\r\nCAT|1|FF0000|A\r\nSUB|1|2|B\r\n",
        u"NEXTID|5\r\r\nCAT|1|FF0000|A\r\r\r\nSUB|1|2|B\r\r\n",
        u"NEXTID|5\nCAT|1|FF0000|A\nSUB|1|2|B",      // no final line end
        u"NEXTID|5\nCAT|1|FF0000|A\nSUB|1|2|B\r",
        u"\n\nNEXTID|5\n\nCAT|1|FF0000|A\r\n\r\nSUB|1|2|B\n\n",
    };
    for (const std::u16string& text : variants) {
        EXPECT_EQ(ParseCategoriesFile(text), expected);
    }
    EXPECT_EQ(expected.categories[0].name, u"A");
    EXPECT_EQ(expected.categories[0].subcategories[0].name, u"B");
}

TEST(CategoriesFile, ByteOrderMarkSpoilsTheFirstLine) {
    const CategoryStore store = ParseCategoriesFile(
        u"\uFEFFNEXTID|50\r\nCAT|7|FF0000|A\r\n");
    EXPECT_EQ(store.nextId, 8);
    EXPECT_EQ(CategoryIds(store), (std::vector<std::int32_t>{7}));

    const CategoryStore lost = ParseCategoriesFile(u"\uFEFFCAT|7|FF0000|A\r\n");
    EXPECT_TRUE(lost.categories.empty());
}

TEST(CategoriesFile, MalformedAndUnknownLinesAreSkipped) {
    const CategoryStore store = ParseCategoriesFile(
        u"NEXTID\n"            // too few fields
        u"CAT|1|FF0000\n"      // too few fields
        u"SUB|1|2\n"           // too few fields
        u"cat|2|00FF00|lower\n"  // kind is case-sensitive
        u" CAT|3|0000FF|x\n"
        u"NOTE|4|5|6\n"
        u"CAT|8|FFFFFF|Kept\n");
    EXPECT_EQ(CategoryIds(store), (std::vector<std::int32_t>{8}));
    EXPECT_TRUE(store.categories[0].subcategories.empty());
    EXPECT_EQ(store.nextId, 9);
}

TEST(CategoriesFile, NameIsTheFourthFieldAsItStands) {
    const CategoryStore store = ParseCategoriesFile(
        u"CAT|1|FF0000|Name|ignored|more\n"
        u"CAT|2|00FF00|\n"
        u"CAT|3|0000FF|\tTabbed\rCR \r\n"
        u"SUB|1|4|Sub|ignored\n");
    EXPECT_EQ(store.categories[0].name, u"Name");
    EXPECT_EQ(store.categories[1].name, u"");
    EXPECT_EQ(store.categories[2].name, u"\tTabbed\rCR ");  // only trailing CRs go
    EXPECT_EQ(store.categories[0].subcategories[0].name, u"Sub");
}

TEST(CategoriesFile, ColourTextReadsAsRedGreenBlue) {
    struct Case {
        std::u16string field;
        ColourRef colour;
    };
    const Case cases[] = {
        {u"FF0000", 0x000000FF},
        {u"00ff00", 0x0000FF00},
        {u"0000Ff", 0x00FF0000},
        {u"123456", 0x00563412},
        {u"", 0},
        {u"zz", 0},
        {u"12G456", 0x00120000},     // stops at G: value 0x12
        {u"AB12345678", 0x00FFFFFF},  // saturates like wcstoul: white
        {u"1ABCDEF", 0x00EFCDAB},    // above 24 bits dropped
    };
    for (const Case& c : cases) {
        const CategoryStore store =
            ParseCategoriesFile(u"CAT|1|" + c.field + u"|x\n");
        ASSERT_EQ(store.categories.size(), 1u);
        EXPECT_EQ(store.categories[0].colour, c.colour)
            << std::string(c.field.begin(), c.field.end());
    }
}

TEST(CategoriesFile, LowerCaseColourIsWrittenBackUpperCase) {
    const CategoryStore store =
        ParseCategoriesFile(u"NEXTID|2\r\nCAT|1|00ff00|Vert\r\n");
    EXPECT_EQ(FormatCategoriesFile(store),
              u"NEXTID|2\r\nCAT|1|00FF00|Vert\r\n");
}

TEST(CategoriesFile, LaterCategoryWithTakenIdOrColourIsDropped) {
    const CategoryStore store = ParseCategoriesFile(
        u"CAT|1|FF0000|First\n"
        u"CAT|2|ff0000|SameColour\n"
        u"CAT|1|00FF00|SameId\n"
        u"CAT|3|00FF00|Kept\n");
    EXPECT_EQ(CategoryIds(store), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(store.categories[0].name, u"First");
    EXPECT_EQ(FormatCategoriesFile(store),
              u"NEXTID|4\r\nCAT|1|FF0000|First\r\nCAT|3|00FF00|Kept\r\n");
}

TEST(CategoriesFile, SubcategoriesAttachInFileOrderWhereverTheyStand) {
    const CategoryStore store = ParseCategoriesFile(
        u"SUB|2|10|Before\n"
        u"SUB|9|11|Orphan\n"
        u"CAT|1|FF0000|One\n"
        u"CAT|2|00FF00|Two\n"
        u"SUB|2|12|After\n"
        u"SUB|1|13|OfOne\n"
        u"CAT|2|0000FF|DuplicateId\n"
        u"SUB|2|14|Last\n");
    ASSERT_EQ(store.categories.size(), 2u);
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{13, u"OfOne"}}));
    EXPECT_EQ(store.categories[1].subcategories,
              (std::vector<Subcategory>{{10, u"Before"}, {12, u"After"},
                                        {14, u"Last"}}));
    EXPECT_EQ(store.nextId, 15);  // the orphan's id 11 does not count
}

// A hand-edited id of 0 or below would pass for "no category"; the category
// keeps its name, colour and subcategories under a fresh id.
TEST(CategoriesFile, CategoryIdZeroOrNegativeGetsAFreshIdAndKeepsItsSubs) {
    const CategoryStore store = ParseCategoriesFile(
        u"NEXTID|5\n"
        u"SUB|0|6|ZeroSub\n"
        u"CAT|0|FF0000|Zero\n"
        u"CAT|-3|00FF00|Negative\n"
        u"CAT|2|0000FF|Normal\n"
        u"SUB|-3|7|NegativeSub\n");
    CategoryStore expected;
    expected.categories = {
        {8, u"Zero", kRed, {{6, u"ZeroSub"}}},
        {9, u"Negative", kGreen, {{7, u"NegativeSub"}}},
        {2, u"Normal", 0x00FF0000, {}},
    };
    expected.nextId = 10;
    EXPECT_EQ(store, expected);
}

TEST(CategoriesFile, SecondCategoryWithTheSameOddIdIsStillADuplicate) {
    const CategoryStore store = ParseCategoriesFile(
        u"CAT|0|FF0000|A\nCAT|0|00FF00|B\nSUB|0|3|S\n");
    ASSERT_EQ(store.categories.size(), 1u);
    EXPECT_EQ(store.categories[0].name, u"A");
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{3, u"S"}}));
    EXPECT_EQ(store.categories[0].id, 4);
}

TEST(CategoriesFile, SubcategoryIdZeroOrNegativeGetsAFreshId) {
    const CategoryStore store = ParseCategoriesFile(
        u"NEXTID|3\nCAT|1|FF0000|A\nSUB|1|0|Zero\nSUB|1|-4|Negative\n"
        u"SUB|1|2|Fine\n");
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{3, u"Zero"}, {4, u"Negative"},
                                        {2, u"Fine"}}));
    EXPECT_EQ(store.nextId, 5);
}

// The menu finds a subcategory's category by the subcategory id alone, so
// only the first holder in store order keeps a repeated id.
TEST(CategoriesFile, RepeatedSubcategoryIdIsRenumberedAfterItsFirstUse) {
    const CategoryStore store = ParseCategoriesFile(
        u"CAT|1|FF0000|A\nCAT|2|00FF00|B\n"
        u"SUB|2|5|Elsewhere\nSUB|1|5|First\nSUB|1|5|Again\n");
    EXPECT_EQ(store.categories[0].subcategories,
              (std::vector<Subcategory>{{5, u"First"}, {6, u"Again"}}));
    EXPECT_EQ(store.categories[1].subcategories,
              (std::vector<Subcategory>{{7, u"Elsewhere"}}));
    EXPECT_EQ(store.nextId, 8);
}

// Ids at or above the limit would decode as a different menu command.
TEST(CategoriesFile, IdsBeyondTheMenuRangeAreRenumbered) {
    const CategoryStore store = ParseCategoriesFile(
        u"NEXTID|2147483647\n"
        u"CAT|16777216|FF0000|Big\n"
        u"SUB|16777216|2147483647|Huge\n"
        u"CAT|16777215|00FF00|Largest\n");
    CategoryStore expected;
    // The largest usable id is taken, so nothing is left for the others.
    expected.categories = {{0xFFFFFF, u"Largest", kGreen, {}}};
    expected.nextId = kCategoryIdLimit;
    EXPECT_EQ(store, expected);

    const CategoryStore roomy = ParseCategoriesFile(
        u"CAT|16777216|FF0000|Big\nSUB|16777216|99999999|Huge\n"
        u"CAT|40|00FF00|Small\n");
    CategoryStore renumbered;
    renumbered.categories = {{41, u"Big", kRed, {{42, u"Huge"}}},
                             {40, u"Small", kGreen, {}}};
    renumbered.nextId = 43;
    EXPECT_EQ(roomy, renumbered);
}

}  // namespace

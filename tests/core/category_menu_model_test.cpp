#include "categories/core/category_menu_model.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"

namespace {

using Kind = CategoryCommandKind;

MenuItem Cmd(std::u16string text, std::uint32_t id, bool checked = false) {
    MenuItem item;
    item.text = std::move(text);
    item.id = id;
    item.checked = checked;
    return item;
}

MenuItem Sep() {
    MenuItem item;
    item.kind = MenuItem::Kind::Separator;
    return item;
}

MenuItem Sub(std::u16string text, std::vector<MenuItem> children) {
    MenuItem item;
    item.kind = MenuItem::Kind::Submenu;
    item.text = std::move(text);
    item.children = std::move(children);
    return item;
}

// An item showing a name the user typed: drawn exactly as typed.
MenuItem Name(MenuItem item) {
    item.userText = true;
    return item;
}

// The menu's own texts in one language.
struct MenuTexts {
    std::u16string noteType, regular, scheduled, uncategorised, newCategory, manage, newSubcategory,
        renameCategory, colour, deleteCategory, rename, remove;
};

const MenuTexts kFrench = {u"Type de note",
                           u"Ordinaire",
                           u"Cedulee",
                           u"Non-categorise",
                           u"Nouvelle categorie...",
                           u"Gerer les categories...",
                           u"+ Nouvelle sous-categorie...",
                           u"Renommer la categorie...",
                           u"Couleur...",
                           u"Supprimer la categorie",
                           u"Renommer...",
                           u"Supprimer"};
const MenuTexts kEnglish = {u"Note type",
                            u"Regular",
                            u"Scheduled",
                            u"Uncategorized",
                            u"New category...",
                            u"Manage categories...",
                            u"+ New subcategory...",
                            u"Rename category...",
                            u"Color...",
                            u"Delete category",
                            u"Rename...",
                            u"Delete"};

MenuItem TypeSubmenu(std::int32_t checkedType, const MenuTexts& t = kFrench) {
    MenuItem placeholder =
        Cmd(u"Tessaline (Section 2)", 0x9000002, checkedType == 2);
    placeholder.greyed = true;
    return Sub(t.noteType, {Cmd(t.regular, 0x9000000, checkedType == 0),
                            Cmd(t.scheduled, 0x9000001, checkedType == 1),
                            placeholder});
}

// Work (id 1) with Urgent (2) and Later (3); Home (4) without subcategories.
CategoryStore SampleStore() {
    CategoryStore store;
    store.categories = {
        {1, u"Work", 0x0000FF, {{2, u"Urgent"}, {3, u"Later"}}},
        {4, u"Home", 0x00FF00, {}},
    };
    store.nextId = 5;
    return store;
}

// The check marks of the filing items, top to bottom from "Non-categorise".
std::vector<bool> FilingChecks(const std::vector<MenuItem>& menu) {
    std::vector<bool> checks;
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItem::Kind::Command && item.id != 2) {
            checks.push_back(item.checked);
        }
    }
    return checks;
}

TEST(CategoryMenuModel, WithoutCategoriesOnlyTypeFilingAndNewCategory) {
    const std::vector<MenuItem> expected = {
        TypeSubmenu(0), Sep(), Cmd(u"Non-categorise", 1, true), Sep(),
        Cmd(u"Nouvelle categorie...", 2)};
    EXPECT_EQ(BuildCategoryMenu(CategoryStore{}, 0, 0, 0), expected);
}

// The menu of a scheduled note filed under "Work > Urgent" with the sample
// store. The names of the categories stay as they were typed.
std::vector<MenuItem> SampleMenu(const MenuTexts& t) {
    return {
        TypeSubmenu(1, t),
        Sep(),
        Cmd(t.uncategorised, 1),
        Sep(),
        Name(Cmd(u"Work", 0x1000001)),
        Name(Cmd(u"    Urgent", 0x2000002, true)),
        Name(Cmd(u"    Later", 0x2000003)),
        Name(Cmd(u"Home", 0x1000004)),
        Sep(),
        Cmd(t.newCategory, 2),
        Sub(t.manage,
            {Name(Sub(u"Work",
                      {Cmd(t.newSubcategory, 0x3000001),
                       Cmd(t.renameCategory, 0x4000001),
                       Cmd(t.colour, 0x5000001),
                       Cmd(t.deleteCategory, 0x6000001), Sep(),
                       Name(Sub(u"Urgent", {Cmd(t.rename, 0x7000002),
                                            Cmd(t.remove, 0x8000002)})),
                       Name(Sub(u"Later", {Cmd(t.rename, 0x7000003),
                                           Cmd(t.remove, 0x8000003)}))})),
             Name(Sub(u"Home", {Cmd(t.newSubcategory, 0x3000004),
                                Cmd(t.renameCategory, 0x4000004),
                                Cmd(t.colour, 0x5000004),
                                Cmd(t.deleteCategory, 0x6000004)}))}),
    };
}

TEST(CategoryMenuModel, WithCategoriesListsThemWithSubcategoriesAndManageMenu) {
    EXPECT_EQ(BuildCategoryMenu(SampleStore(), 1, 1, 2), SampleMenu(kFrench));
}

TEST(CategoryMenuModel, BuiltInEnglishTranslatesTheWholeMenuButNotTheNames) {
    FreshTranslations translations;
    FillBuiltInEnglish(translations.Table());
    const std::vector<MenuItem> menu = BuildCategoryMenu(SampleStore(), 1, 1, 2);
    EXPECT_EQ(menu, SampleMenu(kEnglish));
}

TEST(CategoryMenuModel, CheckMarkFollowsTheNotesFiling) {
    struct Case {
        std::int32_t categoryId;
        std::int32_t subcategoryId;
        // Non-categorise, Work, Urgent, Later, Home
        std::vector<bool> checks;
    };
    const Case cases[] = {
        {0, 0, {true, false, false, false, false}},
        {1, 0, {false, true, false, false, false}},
        {1, 3, {false, false, false, true, false}},
        {4, 0, {false, false, false, false, true}},
        {4, 2, {false, false, false, false, false}},  // sub of another category
        {99, 0, {false, false, false, false, false}},  // category gone
        {0, 2, {true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilingChecks(BuildCategoryMenu(SampleStore(), 0, c.categoryId,
                                                 c.subcategoryId)),
                  c.checks)
            << c.categoryId << "/" << c.subcategoryId;
    }
}

TEST(CategoryMenuModel, PlaceholderTypeIsAlwaysGreyedAndCheckedOnlyForItsType) {
    for (std::int32_t type : {0, 1, 2}) {
        const std::vector<MenuItem> menu =
            BuildCategoryMenu(CategoryStore{}, type, 0, 0);
        EXPECT_EQ(menu[0], TypeSubmenu(type)) << type;
        const MenuItem& placeholder = menu[0].children[2];
        EXPECT_TRUE(placeholder.greyed);
        EXPECT_EQ(placeholder.checked, type == 2);
    }
}

TEST(CategoryMenuModel, FixedTextsAreTranslatedButNamesAreNot) {
    FreshTranslations translations;
    TranslationTable& table = translations.Table();
    table[u"Type de note"] = u"Note type";
    table[u"Non-categorise"] = u"Uncategorized";
    table[u"Gerer les categories..."] = u"Manage categories...";
    table[u"Supprimer"] = u"Delete";
    table[u"Work"] = u"Travail";
    table[u"Urgent"] = u"Pressant";

    const std::vector<MenuItem> menu = BuildCategoryMenu(SampleStore(), 0, 0, 0);

    EXPECT_EQ(menu[0].text, u"Note type");
    EXPECT_EQ(menu[0].children[0].text, u"Ordinaire");  // no pair: French
    EXPECT_EQ(menu[2].text, u"Uncategorized");
    EXPECT_EQ(menu[4].text, u"Work");
    EXPECT_EQ(menu[5].text, u"    Urgent");
    const MenuItem& manage = menu.back();
    EXPECT_EQ(manage.text, u"Manage categories...");
    EXPECT_EQ(manage.children[0].text, u"Work");
    EXPECT_EQ(manage.children[0].children[5].text, u"Urgent");
    EXPECT_EQ(manage.children[0].children[5].children[1].text, u"Delete");
}

TEST(CategoryMenuModel, ItemsWhoseIdsCannotRoundTripAreLeftOut) {
    // Loading never produces such a store; the menu still must not offer a
    // command that would decode as a different one.
    CategoryStore store;
    store.categories = {
        {0, u"Zero", 0x01, {}},
        {kCategoryIdLimit, u"Big", 0x02, {}},
        {0xFFFFFF, u"Largest", 0x03, {{-1, u"Negative"}, {7, u"Fine"}}},
    };
    const std::vector<MenuItem> menu = BuildCategoryMenu(store, 0, 0, 0);
    ASSERT_EQ(menu.size(), 9u);
    EXPECT_EQ(menu[2], Cmd(u"Non-categorise", 1, true));
    EXPECT_EQ(menu[4], Name(Cmd(u"Largest", 0x1FFFFFF)));
    EXPECT_EQ(menu[5], Name(Cmd(u"    Fine", 0x2000007)));
    const MenuItem& manage = menu[8];
    ASSERT_EQ(manage.children.size(), 1u);
    ASSERT_EQ(manage.children[0].children.size(), 6u);
    EXPECT_EQ(manage.children[0].children[5].text, u"Fine");
}

TEST(CategoryMenuModel, FlagsDescribeTheItemForTheOwnerDrawnAppend) {
    MenuItem greyedChecked = Cmd(u"x", 5, true);
    greyedChecked.greyed = true;
    EXPECT_EQ(MenuItemFlags(Cmd(u"x", 5)), 0u);
    EXPECT_EQ(MenuItemFlags(Cmd(u"x", 5, true)), 0x8u);
    EXPECT_EQ(MenuItemFlags(greyedChecked), 0x9u);
    EXPECT_EQ(MenuItemFlags(Sep()), 0x800u);
    EXPECT_EQ(MenuItemFlags(Sub(u"x", {})), 0x10u);
}

TEST(CategoryMenuModel, DecodesEveryCommandKind) {
    struct Case {
        std::uint32_t commandId;
        CategoryCommand command;
    };
    const Case cases[] = {
        {0, {Kind::Nothing, 0}},
        {1, {Kind::Uncategorised, 0}},
        {2, {Kind::NewCategory, 0}},
        {0x1000005, {Kind::FileUnderCategory, 5}},
        {0x1FFFFFF, {Kind::FileUnderCategory, 0xFFFFFF}},
        {0x2000006, {Kind::FileUnderSubcategory, 6}},
        {0x3000007, {Kind::NewSubcategory, 7}},
        {0x4000008, {Kind::RenameCategory, 8}},
        {0x5000009, {Kind::RecolourCategory, 9}},
        {0x600000A, {Kind::DeleteCategory, 10}},
        {0x700000B, {Kind::RenameSubcategory, 11}},
        {0x800000C, {Kind::DeleteSubcategory, 12}},
        {0x9000000, {Kind::SetNoteType, 0}},
        {0x9000002, {Kind::SetNoteType, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeCategoryCommand(c.commandId), c.command)
            << std::hex << c.commandId;
    }
}

TEST(CategoryMenuModel, CommandsTheMenuCannotProduceDecodeAsNothing) {
    const std::uint32_t ids[] = {5,         0xFFFFFF,  0x1000000, 0x8000000,
                                 0x9000003, 0xA000001, 0xFF000001, 0xFFFFFFFF};
    for (std::uint32_t id : ids) {
        EXPECT_EQ(DecodeCategoryCommand(id), CategoryCommand{}) << std::hex << id;
    }
}

TEST(CategoryMenuModel, AFailedSaveLeadsTheMenuWithItsReasonAndARetry) {
    const std::vector<MenuItem> items = SaveFailedItems(u"Access denied.");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, u"Non enregistrée : Access denied.");
    EXPECT_TRUE(items[0].greyed);
    EXPECT_EQ(DecodeCategoryCommand(items[1].id).kind, CategoryCommandKind::RetrySave);
    EXPECT_EQ(items[2].kind, MenuItem::Kind::Separator);
}

}  // namespace

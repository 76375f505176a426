#include "categories/core/category_by_name.h"

#include <gtest/gtest.h>

#include <string>

TEST(CategoryByName, ANameOrACategoryAndSubcategoryIgnoringCaseAccentsAndSpaces) {
    CategoryStore store;
    store.categories = {
        {1, u"Travail", 0x00FFE0C0, {{2, u"Réunions"}, {4, u"Clients"}}},
        {3, u"Études", 0x00C0FFC0, {}},
        {5, u"A > B", 0x00C0C0FF, {}},  // a name may hold the separator
        {6, u"travail", 0x00C0C0C0, {}},  // the same name again: the first one counts
    };
    const struct {
        std::u16string name;
        std::optional<Filing> filing;
    } cases[] = {
        {u"Travail", Filing{1, 0}},
        {u"  TRAVAIL ", Filing{1, 0}},
        {u"etudes", Filing{3, 0}},
        {u"Travail > Réunions", Filing{1, 2}},
        {u"travail>reunions", Filing{1, 2}},
        {u"Travail > Clients", Filing{1, 4}},
        {u"A > B", Filing{5, 0}},
        {u"Travail > Inconnue", std::nullopt},
        {u"Réunions", std::nullopt},  // a subcategory alone names nothing
        {u"Maison", std::nullopt},
        {u"", std::nullopt},
        {u"  ", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(FilingForName(store, c.name), c.filing) << testing::PrintToString(c.name);
}

// Reads arbitrary categories file text and checks that the store keeps its
// rules, that writing it out and reading it back gives the same store, and
// that every command of its menu decodes back to what it was built from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "categories/core/category_menu_model.h"
#include "fuzz_text.h"
#include "storage/core/categories_file.h"
#include "storage/core/category_store.h"

namespace {

bool IsUsableId(std::int32_t id) {
    return id >= 1 && id < kCategoryIdLimit;
}

void CheckStoreRules(const CategoryStore& store) {
    Check(store.nextId >= 1 && store.nextId <= kCategoryIdLimit);
    std::set<std::int32_t> categoryIds;
    std::set<ColourRef> colours;
    std::set<std::int32_t> subcategoryIds;
    for (const Category& category : store.categories) {
        Check(IsUsableId(category.id) && category.id < store.nextId);
        Check(categoryIds.insert(category.id).second);
        Check((category.colour & 0xFF000000) == 0);
        Check(colours.insert(category.colour).second);
        for (const Subcategory& subcategory : category.subcategories) {
            Check(IsUsableId(subcategory.id) && subcategory.id < store.nextId);
            Check(subcategoryIds.insert(subcategory.id).second);
            Check(FindOwnerCategory(store, subcategory.id) == category.id);
        }
    }
}

// A name read from the file holds no LF or '|' (they end the line or the
// field), but it may end in CR when more fields follow it on its line; such
// CRs are taken for part of the line end once the name is written last.
std::u16string WithoutTrailingCarriageReturns(std::u16string name) {
    while (!name.empty() && name.back() == u'\r') name.pop_back();
    return name;
}

CategoryStore AsWrittenNamesRead(CategoryStore store) {
    for (Category& category : store.categories) {
        category.name = WithoutTrailingCarriageReturns(category.name);
        for (Subcategory& subcategory : category.subcategories) {
            subcategory.name = WithoutTrailingCarriageReturns(subcategory.name);
        }
    }
    return store;
}

// Every command in the menu decodes to a kind that uses the id it was built
// with; nothing the menu offers falls back to "nothing chosen".
void CheckMenuCommands(const std::vector<MenuItem>& items,
                       const CategoryStore& store) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Submenu) {
            CheckMenuCommands(item.children, store);
        } else if (item.kind == MenuItem::Kind::Command) {
            const CategoryCommand command = DecodeCategoryCommand(item.id);
            Check(command.kind != CategoryCommandKind::Nothing);
            if (command.kind == CategoryCommandKind::FileUnderCategory) {
                Check(FindCategory(store, command.id) != nullptr);
            }
            if (command.kind == CategoryCommandKind::FileUnderSubcategory) {
                Check(FindOwnerCategory(store, command.id) != 0);
            }
        } else {
            Check(item.id == 0);
        }
    }
}

// A loaded store hands out its counter, or says why it cannot.
void CheckCreationKeepsTheRules(CategoryStore store) {
    constexpr ColourRef kSomeColour = 0x00123456;
    const bool free = HasFreeId(store);
    const bool taken = FindCategoryByColour(store, kSomeColour) != nullptr;
    const std::int32_t expectedId = store.nextId;
    const CreateResult result = CreateCategory(store, u"x", kSomeColour);
    if (!free) {
        Check(result.status == CreateStatus::IdsExhausted);
    } else if (taken) {
        Check(result.status == CreateStatus::ColourTaken);
    } else {
        Check(result.status == CreateStatus::Created && result.id == expectedId);
    }
    CheckStoreRules(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CategoryStore first = ParseCategoriesFile(TextFromBytes(data, size));
    CheckStoreRules(first);

    const std::u16string written = FormatCategoriesFile(first);
    const CategoryStore second = ParseCategoriesFile(written);
    Check(second == AsWrittenNamesRead(first));
    Check(ParseCategoriesFile(FormatCategoriesFile(second)) == second);

    CheckMenuCommands(BuildCategoryMenu(first, 0, 0, 0), first);
    CheckCreationKeepsTheRules(first);
    return 0;
}

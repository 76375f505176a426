#include "storage/core/category_store.h"

#include <algorithm>
#include <utility>

namespace {

// Colours are kept as the file can write them: red, green and blue only.
constexpr ColourRef kColourMask = 0x00FFFFFF;

// First item of a category or subcategory list with that id; id 0 means
// "none" and never matches. Serves const and mutable lists alike.
template <typename List>
auto FindById(List& list, std::int32_t id) -> decltype(list.data()) {
    if (id == 0) return nullptr;
    for (auto& item : list) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

Subcategory* FindMutableSubcategory(CategoryStore& store,
                                    std::int32_t categoryId,
                                    std::int32_t subcategoryId) {
    Category* category = FindById(store.categories, categoryId);
    if (category == nullptr) return nullptr;
    return FindById(category->subcategories, subcategoryId);
}

// Removes the item `found` points into, keeping the order of the rest.
template <typename List>
bool EraseItem(List& list, const typename List::value_type* found) {
    if (found == nullptr) return false;
    list.erase(list.begin() + (found - list.data()));
    return true;
}

// Only called while HasFreeId: nextId is in 1 .. kCategoryIdLimit - 1.
std::int32_t TakeNextId(CategoryStore& store, std::uint32_t spread) {
    const auto room = static_cast<std::uint32_t>(kCategoryIdLimit - store.nextId);
    const std::uint32_t reach = std::min<std::uint32_t>(kCategoryIdSpread, room);
    const auto id = static_cast<std::int32_t>(store.nextId + spread % reach);
    store.nextId = id + 1;
    return id;
}

bool IsForbiddenInName(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'|';
}

}  // namespace

bool HasFreeId(const CategoryStore& store) {
    return store.nextId >= 1 && store.nextId < kCategoryIdLimit;
}

std::u16string SanitizeName(const std::u16string& name) {
    std::u16string clean;
    clean.reserve(name.size());
    for (char16_t c : name) {
        if (!IsForbiddenInName(c)) clean.push_back(c);
    }
    return clean;
}

CreateResult CreateCategory(CategoryStore& store, const std::u16string& name,
                            ColourRef colour, std::uint32_t spread) {
    // Checked first: choosing another colour would not help.
    if (!HasFreeId(store)) return {CreateStatus::IdsExhausted, 0};
    colour &= kColourMask;
    if (FindCategoryByColour(store, colour) != nullptr) {
        return {CreateStatus::ColourTaken, 0};
    }
    Category category;
    category.id = TakeNextId(store, spread);
    category.name = SanitizeName(name);
    category.colour = colour;
    store.categories.push_back(std::move(category));
    return {CreateStatus::Created, store.categories.back().id};
}

CreateResult CreateSubcategory(CategoryStore& store, std::int32_t categoryId,
                               const std::u16string& name, std::uint32_t spread) {
    Category* category = FindById(store.categories, categoryId);
    if (category == nullptr) return {CreateStatus::UnknownCategory, 0};
    if (!HasFreeId(store)) return {CreateStatus::IdsExhausted, 0};
    Subcategory subcategory{TakeNextId(store, spread), SanitizeName(name)};
    category->subcategories.push_back(subcategory);
    return {CreateStatus::Created, subcategory.id};
}

bool SetCategoryColour(CategoryStore& store, std::int32_t categoryId,
                       ColourRef colour) {
    colour &= kColourMask;
    Category* category = FindById(store.categories, categoryId);
    if (category == nullptr) return false;
    const Category* holder = FindCategoryByColour(store, colour);
    if (holder != nullptr && holder != category) return false;
    category->colour = colour;
    return true;
}

bool RenameCategory(CategoryStore& store, std::int32_t categoryId,
                    const std::u16string& name) {
    Category* category = FindById(store.categories, categoryId);
    if (category == nullptr) return false;
    category->name = SanitizeName(name);
    return true;
}

bool RenameSubcategory(CategoryStore& store, std::int32_t categoryId,
                       std::int32_t subcategoryId, const std::u16string& name) {
    Subcategory* subcategory =
        FindMutableSubcategory(store, categoryId, subcategoryId);
    if (subcategory == nullptr) return false;
    subcategory->name = SanitizeName(name);
    return true;
}

bool DeleteCategory(CategoryStore& store, std::int32_t categoryId) {
    return EraseItem(store.categories, FindById(store.categories, categoryId));
}

bool DeleteSubcategory(CategoryStore& store, std::int32_t categoryId,
                       std::int32_t subcategoryId) {
    Category* category = FindById(store.categories, categoryId);
    if (category == nullptr) return false;
    auto& list = category->subcategories;
    return EraseItem(list, FindById(list, subcategoryId));
}

const Category* FindCategory(const CategoryStore& store, std::int32_t id) {
    return FindById(store.categories, id);
}

const Category* FindCategoryByColour(const CategoryStore& store,
                                     ColourRef colour) {
    for (const Category& category : store.categories) {
        if (category.colour == colour) return &category;
    }
    return nullptr;
}

const Subcategory* FindSubcategory(const CategoryStore& store,
                                   std::int32_t categoryId,
                                   std::int32_t subcategoryId) {
    const Category* category = FindCategory(store, categoryId);
    if (category == nullptr) return nullptr;
    return FindById(category->subcategories, subcategoryId);
}

std::int32_t FindOwnerCategory(const CategoryStore& store,
                               std::int32_t subcategoryId) {
    if (subcategoryId == 0) return 0;
    for (const Category& category : store.categories) {
        for (const Subcategory& subcategory : category.subcategories) {
            if (subcategory.id == subcategoryId) return category.id;
        }
    }
    return 0;
}

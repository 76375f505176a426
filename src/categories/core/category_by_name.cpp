#include "categories/core/category_by_name.h"

#include <string>

#include "search/core/text_folding.h"

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Folded, without the white space around it.
std::u16string Key(std::u16string_view name) {
    std::u16string key = FoldedForSearch(name);
    const std::size_t first = key.find_first_not_of(u" \t\r\n");
    if (first == std::u16string::npos) return {};
    std::size_t last = key.size();
    while (last > first && IsSpace(key[last - 1])) --last;
    return key.substr(first, last - first);
}

const Category* CategoryNamed(const CategoryStore& store, const std::u16string& key) {
    for (const Category& category : store.categories) {
        if (Key(category.name) == key) return &category;
    }
    return nullptr;
}

std::optional<Filing> SubcategoryNamed(const CategoryStore& store, std::u16string_view name, std::size_t split) {
    const Category* category = CategoryNamed(store, Key(name.substr(0, split)));
    if (!category) return std::nullopt;
    const std::u16string key = Key(name.substr(split + 1));
    for (const Subcategory& subcategory : category->subcategories) {
        if (Key(subcategory.name) == key) return Filing{category->id, subcategory.id};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Filing> FilingForName(const CategoryStore& store, std::u16string_view name) {
    const std::u16string key = Key(name);
    if (key.empty()) return std::nullopt;
    if (const Category* category = CategoryNamed(store, key)) return Filing{category->id, 0};
    for (std::size_t split = name.find(u'>'); split != std::u16string_view::npos; split = name.find(u'>', split + 1)) {
        if (const std::optional<Filing> filing = SubcategoryNamed(store, name, split)) return filing;
    }
    return std::nullopt;
}

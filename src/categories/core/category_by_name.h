// The category a name typed outside the program means (the /category of the
// command line): a category's name, or "Category > Subcategory", compared
// without case, accents or the white space around each name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "storage/core/category_store.h"

struct Filing {
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;  // 0: the category itself

    bool operator==(const Filing&) const = default;
};

// The first category of that name, in the store's order; else, at each '>'
// in turn, a category named by what comes before it holding a subcategory
// named by what follows. Nothing when no category has the name.
std::optional<Filing> FilingForName(const CategoryStore& store, std::u16string_view name);

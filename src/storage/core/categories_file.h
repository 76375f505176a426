// The text of "categories.txt": one NEXTID line, then a CAT line per category
// followed by a SUB line per subcategory, fields separated by '|'.
#pragma once

#include <string>

#include "storage/core/category_store.h"

// Reads the decoded file text leniently; malformed lines are skipped. A byte
// order mark is not removed, so it spoils the first line. The result always
// keeps the store's rules: ids in 1 .. kCategoryIdLimit - 1, no two categories
// with the same id or colour, no two subcategories with the same id, and
// nextId above every id. Ids outside that range (only from hand editing) are
// replaced by fresh ones, and a SUB line still finds its renumbered category.
CategoryStore ParseCategoriesFile(const std::u16string& text);

// The whole file text, lines ending with CR LF.
std::u16string FormatCategoriesFile(const CategoryStore& store);

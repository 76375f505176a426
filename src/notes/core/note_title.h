// The title a note shows in its header and its reminders give.
#pragma once

#include <cstdint>
#include <string>

#include "storage/core/category_store.h"

// "Category > Subcategory", "Category", or the translated "Non-categorise"
// when the note is not filed under an existing category. Names are shown as
// the user typed them, never translated.
std::u16string CategoryLabel(const CategoryStore& store, std::int32_t categoryId, std::int32_t subcategoryId);

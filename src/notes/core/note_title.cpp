#include "notes/core/note_title.h"

#include "i18n/core/translation.h"

std::u16string CategoryLabel(const CategoryStore& store, std::int32_t categoryId, std::int32_t subcategoryId) {
    const Category* category = FindCategory(store, categoryId);
    if (category == nullptr) return Translate(u"Non-categorise");
    const Subcategory* subcategory = FindSubcategory(store, categoryId, subcategoryId);
    if (subcategory == nullptr) return category->name;
    return category->name + u" > " + subcategory->name;
}

// The categories a note can be filed under, and the operations that change
// them. Pure data: the shell saves the file after every change that succeeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/core/note_record.h"

// Ids live in the low 24 bits of a menu command, so every id handed out or
// kept is in 1 .. kCategoryIdLimit - 1. Id 0 means "none" in a note.
constexpr std::int32_t kCategoryIdLimit = 0x1000000;

struct Subcategory {
    std::int32_t id = 0;
    std::u16string name;

    bool operator==(const Subcategory&) const = default;
};

struct Category {
    std::int32_t id = 0;
    std::u16string name;
    ColourRef colour = 0;  // unique in the store, 0x00BBGGRR
    std::vector<Subcategory> subcategories;

    bool operator==(const Category&) const = default;
};

struct CategoryStore {
    std::vector<Category> categories;  // file order, then creation order
    std::int32_t nextId = 1;           // next id for a category or subcategory

    bool operator==(const CategoryStore&) const = default;
};

enum class CreateStatus {
    Created,
    ColourTaken,      // another category already has this colour
    UnknownCategory,  // the parent category of a subcategory does not exist
    IdsExhausted,     // nextId no longer fits the menu's command encoding
};

struct CreateResult {
    CreateStatus status = CreateStatus::Created;
    std::int32_t id = 0;  // the new id when created, else 0
};

// True while another id can be handed out.
bool HasFreeId(const CategoryStore& store);

// The name without TAB, LF, CR or '|', which would break the file's lines.
std::u16string SanitizeName(const std::u16string& name);

// New ids: two machines that share their data folder through a sync service
// may each add a category at the same moment, from the same NEXTID. So a new
// id is not NEXTID itself but NEXTID + `spread` (any number; the shell gives
// a random one, tests 0), where the spread is taken modulo the smaller of
// kCategoryIdSpread and the ids left below kCategoryIdLimit. Two machines
// then pick the same id once in kCategoryIdSpread times, and the ids last
// for thousands of categories. NEXTID moves past the new id.
constexpr std::int32_t kCategoryIdSpread = 4096;

CreateResult CreateCategory(CategoryStore& store, const std::u16string& name,
                            ColourRef colour, std::uint32_t spread = 0);
CreateResult CreateSubcategory(CategoryStore& store, std::int32_t categoryId,
                               const std::u16string& name, std::uint32_t spread = 0);

// Fails when the category is missing or another category has the colour;
// giving a category the colour it already has succeeds.
bool SetCategoryColour(CategoryStore& store, std::int32_t categoryId,
                       ColourRef colour);
bool RenameCategory(CategoryStore& store, std::int32_t categoryId,
                    const std::u16string& name);
bool RenameSubcategory(CategoryStore& store, std::int32_t categoryId,
                       std::int32_t subcategoryId, const std::u16string& name);

// Both keep the order of what remains and never lower nextId.
// They return false when there was nothing to delete.
bool DeleteCategory(CategoryStore& store, std::int32_t categoryId);
bool DeleteSubcategory(CategoryStore& store, std::int32_t categoryId,
                       std::int32_t subcategoryId);

// Lookups return nullptr when absent; id 0 ("none") never finds anything.
const Category* FindCategory(const CategoryStore& store, std::int32_t id);
const Category* FindCategoryByColour(const CategoryStore& store,
                                     ColourRef colour);
const Subcategory* FindSubcategory(const CategoryStore& store,
                                   std::int32_t categoryId,
                                   std::int32_t subcategoryId);
// Id of the first category holding that subcategory, or 0.
std::int32_t FindOwnerCategory(const CategoryStore& store,
                               std::int32_t subcategoryId);

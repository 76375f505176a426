// The note's main menu (note type, filing, managing categories) as plain
// data, and the command ids it returns. The shell turns the items into
// owner-drawn menu items and runs the decoded command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/core/category_store.h"

// A command id is a kind in the high byte plus an id in the low 24 bits,
// except for the three small fixed values.
constexpr std::uint32_t kCommandNothing = 0;
constexpr std::uint32_t kCommandUncategorised = 1;
constexpr std::uint32_t kCommandNewCategory = 2;
constexpr std::uint32_t kCommandRetrySave = 3;
constexpr std::uint32_t kCommandResolveClash = 4;
constexpr std::uint32_t kCommandFileUnderCategory = 0x1000000;
constexpr std::uint32_t kCommandFileUnderSubcategory = 0x2000000;
constexpr std::uint32_t kCommandNewSubcategory = 0x3000000;
constexpr std::uint32_t kCommandRenameCategory = 0x4000000;
constexpr std::uint32_t kCommandRecolourCategory = 0x5000000;
constexpr std::uint32_t kCommandDeleteCategory = 0x6000000;
constexpr std::uint32_t kCommandRenameSubcategory = 0x7000000;
constexpr std::uint32_t kCommandDeleteSubcategory = 0x8000000;
constexpr std::uint32_t kCommandSetNoteType = 0x9000000;

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };

    Kind kind = Kind::Command;
    std::u16string text;  // as displayed; empty for a separator
    std::uint32_t id = 0;  // command id; 0 for separators and submenus
    bool checked = false;
    bool greyed = false;  // painted faded and cannot be chosen
    bool userText = false;  // a name the user typed: shown exactly as typed
    std::vector<MenuItem> children;  // the items of a submenu

    bool operator==(const MenuItem&) const = default;
};

// The menu for a note of that type, filed under those ids (0 = none).
// Fixed texts go through Translate; names are shown as stored.
std::vector<MenuItem> BuildCategoryMenu(const CategoryStore& store,
                                        std::int32_t noteType,
                                        std::int32_t categoryId,
                                        std::int32_t subcategoryId);

// What the menu of a note whose last save failed starts with: the reason
// (greyed, it only informs), the command that saves again, a separator.
std::vector<MenuItem> SaveFailedItems(const std::u16string& reason);

// What the menu of a note marked as a clash starts with: what the mark
// means (greyed, it only informs), the command that clears it, a separator.
std::vector<MenuItem> ClashItems();

// The standard menu flag bits that describe the item for the owner-drawn
// append: MF_POPUP (0x10), MF_SEPARATOR (0x800), MF_CHECKED (0x8) and
// MF_GRAYED (0x1, which also disables the item).
std::uint32_t MenuItemFlags(const MenuItem& item);

enum class CategoryCommandKind {
    Nothing,
    Uncategorised,
    NewCategory,
    FileUnderCategory,     // id: category
    FileUnderSubcategory,  // id: subcategory
    NewSubcategory,        // id: category
    RenameCategory,        // id: category
    RecolourCategory,      // id: category
    DeleteCategory,        // id: category
    RenameSubcategory,     // id: subcategory
    DeleteSubcategory,     // id: subcategory
    SetNoteType,           // id: note type 0 .. 2
    RetrySave,
    ResolveClash,
};

struct CategoryCommand {
    CategoryCommandKind kind = CategoryCommandKind::Nothing;
    std::int32_t id = 0;

    bool operator==(const CategoryCommand&) const = default;
};

// Anything the menu cannot have produced decodes as Nothing.
CategoryCommand DecodeCategoryCommand(std::uint32_t commandId);

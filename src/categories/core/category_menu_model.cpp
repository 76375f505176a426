#include "categories/core/category_menu_model.h"

#include <iterator>
#include <string_view>
#include <utility>

#include "i18n/core/translation.h"

namespace {

constexpr std::uint32_t kMenuFlagGrayed = 0x1;
constexpr std::uint32_t kMenuFlagChecked = 0x8;
constexpr std::uint32_t kMenuFlagPopup = 0x10;
constexpr std::uint32_t kMenuFlagSeparator = 0x800;

constexpr std::uint32_t kCommandIdMask = 0xFFFFFF;
constexpr int kCommandKindShift = 24;
constexpr std::int32_t kLastNoteType = kNotePlaceholder;

// Subcategories sit in the main menu under their category, set off by this.
constexpr std::u16string_view kSubcategoryIndent = u"    ";

// Kinds in the order of their high byte, 1 .. 9.
constexpr CategoryCommandKind kKindsByHighByte[] = {
    CategoryCommandKind::FileUnderCategory,
    CategoryCommandKind::FileUnderSubcategory,
    CategoryCommandKind::NewSubcategory,
    CategoryCommandKind::RenameCategory,
    CategoryCommandKind::RecolourCategory,
    CategoryCommandKind::DeleteCategory,
    CategoryCommandKind::RenameSubcategory,
    CategoryCommandKind::DeleteSubcategory,
    CategoryCommandKind::SetNoteType,
};

// Only ids that fit the low 24 bits can come back from the menu as
// themselves; the store never holds others, this keeps the menu honest.
bool FitsCommand(std::int32_t id) {
    return id >= 1 && id < kCategoryIdLimit;
}

std::uint32_t Encode(std::uint32_t kind, std::int32_t id) {
    return kind + static_cast<std::uint32_t>(id);
}

MenuItem Command(std::u16string text, std::uint32_t id, bool checked = false) {
    MenuItem item;
    item.text = std::move(text);
    item.id = id;
    item.checked = checked;
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItem::Kind::Separator;
    return item;
}

MenuItem Submenu(std::u16string text, std::vector<MenuItem> children) {
    MenuItem item;
    item.kind = MenuItem::Kind::Submenu;
    item.text = std::move(text);
    item.children = std::move(children);
    return item;
}

MenuItem UserText(MenuItem item) {
    item.userText = true;
    return item;
}

MenuItem NoteTypeSubmenu(std::int32_t noteType) {
    MenuItem placeholder = Command(Translate(u"Tessaline (Section 2)"),
                                   Encode(kCommandSetNoteType, kNotePlaceholder),
                                   noteType == kNotePlaceholder);
    placeholder.greyed = true;
    return Submenu(Translate(u"Type de note"),
                   {Command(Translate(u"Ordinaire"),
                            Encode(kCommandSetNoteType, kNoteRegular),
                            noteType == kNoteRegular),
                    Command(Translate(u"Cedulee"),
                            Encode(kCommandSetNoteType, kNoteScheduled),
                            noteType == kNoteScheduled),
                    std::move(placeholder)});
}

bool HasCategories(const CategoryStore& store) {
    for (const Category& category : store.categories) {
        if (FitsCommand(category.id)) return true;
    }
    return false;
}

// One item per category, each followed by its indented subcategories.
void AppendFilingItems(const CategoryStore& store, std::int32_t categoryId,
                       std::int32_t subcategoryId,
                       std::vector<MenuItem>& menu) {
    for (const Category& category : store.categories) {
        if (!FitsCommand(category.id)) continue;
        const bool inCategory = categoryId == category.id;
        menu.push_back(UserText(Command(category.name,
                                        Encode(kCommandFileUnderCategory, category.id),
                                        inCategory && subcategoryId == 0)));
        for (const Subcategory& subcategory : category.subcategories) {
            if (!FitsCommand(subcategory.id)) continue;
            menu.push_back(UserText(Command(
                std::u16string(kSubcategoryIndent) + subcategory.name,
                Encode(kCommandFileUnderSubcategory, subcategory.id),
                inCategory && subcategoryId == subcategory.id)));
        }
    }
}

MenuItem SubcategoryManageSubmenu(const Subcategory& subcategory) {
    return UserText(Submenu(
        subcategory.name,
        {Command(Translate(u"Renommer..."),
                 Encode(kCommandRenameSubcategory, subcategory.id)),
         Command(Translate(u"Supprimer"),
                 Encode(kCommandDeleteSubcategory, subcategory.id))}));
}

MenuItem CategoryManageSubmenu(const Category& category) {
    std::vector<MenuItem> items = {
        Command(Translate(u"+ Nouvelle sous-categorie..."),
                Encode(kCommandNewSubcategory, category.id)),
        Command(Translate(u"Renommer la categorie..."),
                Encode(kCommandRenameCategory, category.id)),
        Command(Translate(u"Couleur..."),
                Encode(kCommandRecolourCategory, category.id)),
        Command(Translate(u"Supprimer la categorie"),
                Encode(kCommandDeleteCategory, category.id)),
    };
    bool separated = false;
    for (const Subcategory& subcategory : category.subcategories) {
        if (!FitsCommand(subcategory.id)) continue;
        if (!separated) items.push_back(Separator());
        separated = true;
        items.push_back(SubcategoryManageSubmenu(subcategory));
    }
    return UserText(Submenu(category.name, std::move(items)));
}

MenuItem ManageSubmenu(const CategoryStore& store) {
    std::vector<MenuItem> items;
    for (const Category& category : store.categories) {
        if (FitsCommand(category.id)) {
            items.push_back(CategoryManageSubmenu(category));
        }
    }
    return Submenu(Translate(u"Gerer les categories..."), std::move(items));
}

}  // namespace

std::vector<MenuItem> BuildCategoryMenu(const CategoryStore& store,
                                        std::int32_t noteType,
                                        std::int32_t categoryId,
                                        std::int32_t subcategoryId) {
    const bool hasCategories = HasCategories(store);
    std::vector<MenuItem> menu;
    menu.push_back(NoteTypeSubmenu(noteType));
    menu.push_back(Separator());
    menu.push_back(Command(Translate(u"Non-categorise"), kCommandUncategorised,
                           categoryId == 0));
    if (hasCategories) {
        menu.push_back(Separator());
        AppendFilingItems(store, categoryId, subcategoryId, menu);
    }
    menu.push_back(Separator());
    menu.push_back(Command(Translate(u"Nouvelle categorie..."),
                           kCommandNewCategory));
    if (hasCategories) menu.push_back(ManageSubmenu(store));
    return menu;
}

std::vector<MenuItem> SaveFailedItems(const std::u16string& reason) {
    MenuItem why = Command(std::u16string(Translate(u"Non enregistrée :")) + u" " + reason, kCommandNothing);
    why.greyed = true;
    why.userText = true;  // the system's words: an ampersand is a character
    return {why, Command(Translate(u"Réessayer d'enregistrer"), kCommandRetrySave), Separator()};
}

std::vector<MenuItem> ClashItems() {
    MenuItem why = Command(Translate(u"Conflit : la version de cette machine, gardée à côté de l'autre"),
                           kCommandNothing);
    why.greyed = true;
    return {why, Command(Translate(u"Marquer comme résolu"), kCommandResolveClash), Separator()};
}

std::uint32_t MenuItemFlags(const MenuItem& item) {
    std::uint32_t flags = 0;
    if (item.kind == MenuItem::Kind::Submenu) flags |= kMenuFlagPopup;
    if (item.kind == MenuItem::Kind::Separator) flags |= kMenuFlagSeparator;
    if (item.checked) flags |= kMenuFlagChecked;
    if (item.greyed) flags |= kMenuFlagGrayed;
    return flags;
}

CategoryCommand DecodeCategoryCommand(std::uint32_t commandId) {
    if (commandId == kCommandUncategorised) {
        return {CategoryCommandKind::Uncategorised, 0};
    }
    if (commandId == kCommandNewCategory) {
        return {CategoryCommandKind::NewCategory, 0};
    }
    if (commandId == kCommandRetrySave) return {CategoryCommandKind::RetrySave, 0};
    if (commandId == kCommandResolveClash) return {CategoryCommandKind::ResolveClash, 0};
    const std::uint32_t highByte = commandId >> kCommandKindShift;
    const auto id = static_cast<std::int32_t>(commandId & kCommandIdMask);
    if (highByte < 1 || highByte > std::size(kKindsByHighByte)) return {};
    const CategoryCommandKind kind = kKindsByHighByte[highByte - 1];
    if (kind == CategoryCommandKind::SetNoteType) {
        if (id > kLastNoteType) return {};
        return {kind, id};
    }
    if (id == 0) return {};
    return {kind, id};
}

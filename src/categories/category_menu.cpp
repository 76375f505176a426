#include "categories/category_menu.h"

#include "categories/core/category_menu_model.h"
#include "i18n/core/translation.h"
#include "notes/note_commands.h"
#include "notes/note_passes.h"
#include "notes/note_save.h"
#include "notes/note_sync.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "ui/colour_dialog.h"
#include "ui/owner_draw_menu.h"
#include "ui/save_failure.h"
#include "ui/text_input_dialog.h"
#include "win/wide.h"

namespace {

void AppendModelItems(HMENU menu, const std::vector<MenuItem>& items, OwnerDrawItems& records) {
    for (const MenuItem& item : items) {
        UINT_PTR idOrSubmenu = item.id;
        if (item.kind == MenuItem::Kind::Submenu) {
            HMENU submenu = CreatePopupMenu();
            AppendModelItems(submenu, item.children, records);
            idOrSubmenu = reinterpret_cast<UINT_PTR>(submenu);  // owned by the parent menu from here on
        }
        AppendOwnerDrawItem(menu, MenuItemFlags(item), idOrSubmenu, item.text, records,
                            item.userText ? MenuTextKind::Literal : MenuTextKind::Label);
    }
}

int AskUser(HWND noteWindow, const char16_t* question) {
    return MessageBoxW(noteWindow, Wide(Translate(question)), L"Quillboard", MB_YESNO | MB_ICONQUESTION);
}

void WarnColourTaken(HWND noteWindow) {
    MessageBoxW(noteWindow, Wide(Translate(u"Cette couleur est deja utilisee par une autre categorie.")),
                L"Quillboard", MB_ICONWARNING);
}

// Ids travel in the menu's 24-bit command field; once they are used up no
// category can be made any more, and the user is told so.
void WarnIdsExhausted(HWND noteWindow) {
    MessageBoxW(noteWindow,
                Wide(Translate(u"Impossible de creer une autre categorie : le nombre maximal d'identifiants est "
                               u"atteint.")),
                L"Quillboard", MB_ICONWARNING);
}

// The store is empty only because its file could not be read: changing it
// now would overwrite the user's categories with nothing.
void WarnCategoriesUnreadable(HWND noteWindow) {
    MessageBoxW(noteWindow,
                Wide(Translate(u"Les categories ne peuvent pas etre lues pour le moment : le fichier categories.txt "
                               u"est ouvert par un autre programme. Reessayez dans un instant.")),
                L"Quillboard", MB_ICONWARNING);
}

// The change stays in the store, and the file is written again later.
void SaveCategoriesOrWarn(HWND noteWindow) {
    if (SaveCategories() || !CategoriesFileRead()) return;  // an unread file is refused before this
    const DWORD error = GetLastError();
    WarnNotSaved(noteWindow, u"Les catégories n'ont pas pu être enregistrées.", error);
}

bool ChangesTheStore(CategoryCommandKind kind) {
    switch (kind) {
    case CategoryCommandKind::NewCategory:
    case CategoryCommandKind::NewSubcategory:
    case CategoryCommandKind::RenameCategory:
    case CategoryCommandKind::RecolourCategory:
    case CategoryCommandKind::DeleteCategory:
    case CategoryCommandKind::RenameSubcategory:
    case CategoryCommandKind::DeleteSubcategory:
        return true;
    default:
        return false;
    }
}

// A name from the input dialog; false when cancelled or left empty.
bool AskName(HWND noteWindow, const char16_t* title, const std::u16string& initial, std::u16string& name) {
    return ShowTextInputDialog(noteWindow, NoteColourOf(noteWindow), Translate(title), initial, name) &&
           !name.empty();
}

void NewCategory(HWND noteWindow) {
    if (!NoteFromWindow(noteWindow)) return;
    if (!HasFreeId(Categories())) {
        WarnIdsExhausted(noteWindow);
        return;
    }
    std::u16string name;
    if (!AskName(noteWindow, u"Nouvelle categorie", u"", name)) return;
    // The note may have been deleted while the dialog was open (from another
    // note's menu): it is fetched again, and the command stops without it.
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    ColourRef colour = note->colour;
    if (!ChooseColour(noteWindow, colour)) return;
    if (!NoteFromWindow(noteWindow)) return;
    const CreateResult result = CreateCategory(Categories(), name, colour, NextCategoryIdSpread());
    if (result.status == CreateStatus::ColourTaken) return WarnColourTaken(noteWindow);
    if (result.status == CreateStatus::IdsExhausted) return WarnIdsExhausted(noteWindow);
    if (result.status != CreateStatus::Created) return;
    SaveCategoriesOrWarn(noteWindow);
    AssignNoteCategory(noteWindow, result.id, 0);
}

void NewSubcategory(HWND noteWindow, std::int32_t categoryId) {
    if (!FindCategory(Categories(), categoryId)) return;
    if (!HasFreeId(Categories())) {
        WarnIdsExhausted(noteWindow);
        return;
    }
    std::u16string name;
    if (!AskName(noteWindow, u"Nouvelle sous-categorie", u"", name)) return;
    const CreateResult result = CreateSubcategory(Categories(), categoryId, name, NextCategoryIdSpread());
    if (result.status == CreateStatus::IdsExhausted) return WarnIdsExhausted(noteWindow);
    if (result.status != CreateStatus::Created) return;
    SaveCategoriesOrWarn(noteWindow);
    AssignNoteCategory(noteWindow, categoryId, result.id);
}

void RenameCategoryCommand(HWND noteWindow, std::int32_t categoryId) {
    const Category* category = FindCategory(Categories(), categoryId);
    if (!category) return;
    std::u16string name;
    const std::u16string current = category->name;  // the category may go while the dialog is open
    if (!AskName(noteWindow, u"Renommer la categorie", current, name)) return;
    if (!RenameCategory(Categories(), categoryId, name)) return;
    SaveCategoriesOrWarn(noteWindow);
    RepaintAllNotes();
}

void RecolourCategory(HWND noteWindow, std::int32_t categoryId) {
    const Category* category = FindCategory(Categories(), categoryId);
    if (!category) return;
    ColourRef colour = category->colour;
    if (!ChooseColour(noteWindow, colour)) return;
    // The category may have been deleted while the dialog was open.
    if (!FindCategory(Categories(), categoryId)) return;
    if (!SetCategoryColour(Categories(), categoryId, colour)) return WarnColourTaken(noteWindow);
    SaveCategoriesOrWarn(noteWindow);
    RefreshNotesAfterCategoryChange();
}

void DeleteCategoryCommand(HWND noteWindow, std::int32_t categoryId) {
    if (AskUser(noteWindow, u"Supprimer cette categorie ? Ses notes deviendront non-categorisees.") != IDYES) return;
    if (!DeleteCategory(Categories(), categoryId)) return;
    SaveCategoriesOrWarn(noteWindow);
    RefreshNotesAfterCategoryChange();
}

void RenameSubcategoryCommand(HWND noteWindow, std::int32_t subcategoryId) {
    const std::int32_t categoryId = FindOwnerCategory(Categories(), subcategoryId);
    const Subcategory* subcategory = FindSubcategory(Categories(), categoryId, subcategoryId);
    if (!subcategory) return;
    std::u16string name;
    const std::u16string current = subcategory->name;
    if (!AskName(noteWindow, u"Renommer la sous-categorie", current, name)) return;
    if (!RenameSubcategory(Categories(), categoryId, subcategoryId, name)) return;
    SaveCategoriesOrWarn(noteWindow);
    RepaintAllNotes();
}

void DeleteSubcategoryCommand(HWND noteWindow, std::int32_t subcategoryId) {
    if (AskUser(noteWindow, u"Supprimer cette sous-categorie ?") != IDYES) return;
    if (!DeleteSubcategory(Categories(), FindOwnerCategory(Categories(), subcategoryId), subcategoryId)) return;
    SaveCategoriesOrWarn(noteWindow);
    RefreshNotesAfterCategoryChange();
}

// Asked for by the user: a save that fails again says why at once.
void RetryNoteSave(HWND noteWindow) {
    SaveNote(noteWindow);
    const Note* note = NoteFromWindow(noteWindow);
    if (note && note->saveFailed) {
        WarnNotSaved(noteWindow, u"Cette note n'a pas pu être enregistrée.", note->saveError);
    }
}

void RunCategoryCommand(HWND noteWindow, CategoryCommand command) {
    if (ChangesTheStore(command.kind) && !CatchUpWithCategoriesFile()) return WarnCategoriesUnreadable(noteWindow);
    switch (command.kind) {
    case CategoryCommandKind::Uncategorised: return AssignNoteCategory(noteWindow, 0, 0);
    case CategoryCommandKind::NewCategory: return NewCategory(noteWindow);
    case CategoryCommandKind::FileUnderCategory: return AssignNoteCategory(noteWindow, command.id, 0);
    case CategoryCommandKind::FileUnderSubcategory:
        return AssignNoteCategory(noteWindow, FindOwnerCategory(Categories(), command.id), command.id);
    case CategoryCommandKind::NewSubcategory: return NewSubcategory(noteWindow, command.id);
    case CategoryCommandKind::RenameCategory: return RenameCategoryCommand(noteWindow, command.id);
    case CategoryCommandKind::RecolourCategory: return RecolourCategory(noteWindow, command.id);
    case CategoryCommandKind::DeleteCategory: return DeleteCategoryCommand(noteWindow, command.id);
    case CategoryCommandKind::RenameSubcategory: return RenameSubcategoryCommand(noteWindow, command.id);
    case CategoryCommandKind::DeleteSubcategory: return DeleteSubcategoryCommand(noteWindow, command.id);
    case CategoryCommandKind::SetNoteType: return SetNoteType(noteWindow, static_cast<std::uint32_t>(command.id));
    case CategoryCommandKind::RetrySave: return RetryNoteSave(noteWindow);
    case CategoryCommandKind::ResolveClash: return ResolveClash(noteWindow);
    case CategoryCommandKind::Nothing: return;
    }
}

}  // namespace

HMENU BuildCategoryPopupMenu(HWND noteWindow, OwnerDrawItems& records) {
    const Note* note = NoteFromWindow(noteWindow);
    if (!note) return nullptr;
    std::vector<MenuItem> model;
    if (note->saveFailed) model = SaveFailedItems(SaveFailureReason(note->saveError));
    if (note->clash) {
        for (MenuItem& item : ClashItems()) model.push_back(std::move(item));
    }
    for (MenuItem& item : BuildCategoryMenu(Categories(), note->type, note->categoryId, note->subcategoryId)) {
        model.push_back(std::move(item));
    }
    HMENU menu = CreatePopupMenu();
    AppendModelItems(menu, model, records);
    return menu;
}

void RunCategoryMenuCommand(HWND noteWindow, UINT commandId) {
    RunCategoryCommand(noteWindow, DecodeCategoryCommand(commandId));
}

void ShowCategoryMenu(HWND noteWindow, int x, int y) {
    CatchUpWithCategoriesFile();  // quietly: the menu shows what can be read
    OwnerDrawItems records;  // must outlive the tracking and the command
    HMENU menu = BuildCategoryPopupMenu(noteWindow, records);
    if (!menu) return;
    const UINT command = TrackNoteMenu(noteWindow, menu, x, y);
    RunCategoryMenuCommand(noteWindow, command);
}

#include "notes/core/edit_menu_model.h"

std::vector<EditMenuItem> EditMenuItems(const EditMenuFacts& facts) {
    const bool canChange = !facts.readOnly;
    return {
        {EditCommand::Undo, u"Annuler la modification", canChange && facts.canUndo, true},
        {EditCommand::Cut, u"Couper", canChange && facts.hasSelection, false},
        {EditCommand::Copy, u"Copier", facts.hasSelection, false},
        {EditCommand::Paste, u"Coller", canChange && facts.clipboardHasText, false},
        {EditCommand::Delete, u"Supprimer", canChange && facts.hasSelection, true},
        {EditCommand::SelectAll, u"Sélectionner tout", !facts.everythingSelected, false},
    };
}

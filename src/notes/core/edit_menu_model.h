// The usual edit commands of the note text's context menu, and when each of
// them can act.
#pragma once

#include <vector>

// What the note's edit allows at the moment its menu opens.
struct EditMenuFacts {
    bool canUndo = false;
    bool hasSelection = false;
    bool clipboardHasText = false;
    bool everythingSelected = false;  // true for an empty text too: nothing is left to select
    bool readOnly = false;
};

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

struct EditMenuItem {
    EditCommand command;
    const char16_t* text;  // the untranslated key
    bool enabled;
    bool separatorAfter;

    bool operator==(const EditMenuItem&) const = default;
};

// Undo; Cut, Copy, Paste, Delete; Select All, in the order and groups every
// Windows text field shows them, each enabled only when it would act.
std::vector<EditMenuItem> EditMenuItems(const EditMenuFacts& facts);

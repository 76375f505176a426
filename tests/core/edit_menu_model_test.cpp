#include "notes/core/edit_menu_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The enabled flags of Undo, Cut, Copy, Paste, Delete, Select All.
std::vector<bool> Enabled(const EditMenuFacts& facts) {
    std::vector<bool> enabled;
    for (const EditMenuItem& item : EditMenuItems(facts)) enabled.push_back(item.enabled);
    return enabled;
}

TEST(EditMenuModel, TheUsualCommandsInTheirUsualGroups) {
    const std::vector<EditMenuItem> items = EditMenuItems({});
    const std::vector<EditCommand> commands = {EditCommand::Undo,  EditCommand::Cut,    EditCommand::Copy,
                                               EditCommand::Paste, EditCommand::Delete, EditCommand::SelectAll};
    ASSERT_EQ(items.size(), commands.size());
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].command, commands[i]);
    // Separators after Undo and after Delete.
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].separatorAfter, i == 0 || i == 4) << i;
}

TEST(EditMenuModel, EachCommandIsEnabledOnlyWhenItCanAct) {
    const struct {
        const char* name;
        EditMenuFacts facts;
        std::vector<bool> enabled;
    } cases[] = {
        {"empty text", {.everythingSelected = true}, {false, false, false, false, false, false}},
        {"caret in text", {}, {false, false, false, false, false, true}},
        {"after typing", {.canUndo = true}, {true, false, false, false, false, true}},
        {"selection", {.hasSelection = true}, {false, true, true, false, true, true}},
        {"all selected", {.hasSelection = true, .everythingSelected = true}, {false, true, true, false, true, false}},
        {"text to paste", {.clipboardHasText = true}, {false, false, false, true, false, true}},
        {"read-only, everything possible",
         {.canUndo = true, .hasSelection = true, .clipboardHasText = true, .readOnly = true},
         {false, false, true, false, false, true}},
    };
    for (const auto& c : cases) EXPECT_EQ(Enabled(c.facts), c.enabled) << c.name;
}

}  // namespace

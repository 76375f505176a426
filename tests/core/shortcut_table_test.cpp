#include "settings/core/shortcut_table.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include <iterator>
#include <string>

#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"

namespace {

constexpr std::uint32_t kCtrl = 0x2;
constexpr std::uint32_t kAlt = 0x1;
constexpr std::uint32_t kShift = 0x4;
constexpr std::uint32_t kCtrlAlt = 0x3;

// Rows by position in the table.
constexpr int kNewNoteRow = 0;
constexpr int kSettingsRow = 3;
constexpr int kCategoryMenuRow = 6;
constexpr int kDockLeftRow = 11;
constexpr int kDeleteNoteRow = 15;

class ShortcutTableTest : public ::testing::Test {
protected:
    FreshTranslations translations_;
    ShortcutTable table = DefaultShortcutTable();
};

TEST_F(ShortcutTableTest, DefaultsInDisplayOrder) {
    const struct {
        std::int32_t id;
        bool global;
        std::u16string label;
        std::uint32_t key;
    } rows[] = {
        {1, true, u"Nouvelle note", 0x4E},                 {2, true, u"Ancrer toutes les notes", 0x44},
        {3, true, u"Désancrer toutes les notes", 0x55},    {4, true, u"Parametres", 0x47},
        {17, true, u"Rechercher une note", 0x46},          {18, true, u"Note du presse-papiers", 0x56},
        {5, false, u"Categorie / sous-categorie", 0x43},   {6, false, u"Changer le type", 0x54},
        {7, false, u"Epingler / desepingler", 0x50},       {8, false, u"Choisir la couleur", 0x4B},
        {9, false, u"Ajouter une entree (cedulee)", 0x41}, {10, false, u"Ancrer a gauche", 0x25},
        {11, false, u"Ancrer en haut", 0x26},              {12, false, u"Ancrer a droite", 0x27},
        {13, false, u"Desancrer cette note", 0x28},        {14, false, u"Supprimer la note", 0x58},
    };
    ASSERT_EQ(std::size(rows), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& r = rows[i];
        const CommandId id = static_cast<CommandId>(r.id);  // the number shortcuts.txt stores
        EXPECT_EQ(table[i], (Shortcut{id, r.global, table[i].label, kCtrlAlt, r.key, kCtrlAlt, r.key, false})) << i;
        EXPECT_EQ(std::u16string(table[i].label), r.label);
    }
}

TEST_F(ShortcutTableTest, ResetRestoresBindingsAndClearsFailures) {
    table[kNewNoteRow].key = 0;
    table[kNewNoteRow].registrationFailed = true;
    table[kDockLeftRow].modifiers = kShift;
    ResetShortcuts(table);
    EXPECT_EQ(table, DefaultShortcutTable());
}

TEST_F(ShortcutTableTest, KeyNames) {
    const struct {
        std::uint32_t key;
        std::u16string name;
    } cases[] = {
        {0x09, u"Tab"},    {0x0D, u"Entree"},  {0x20, u"Espace"}, {0x21, u"PgPrec"}, {0x22, u"PgSuiv"},
        {0x23, u"Fin"},    {0x24, u"Origine"}, {0x25, u"Gauche"}, {0x26, u"Haut"},   {0x27, u"Droite"},
        {0x28, u"Bas"},    {0x2D, u"Inser"},   {0x2E, u"Suppr"},  {0x30, u"0"},      {0x41, u"A"},
        {0x70, u"F1"},     {0x79, u"F10"},     {0x87, u"F24"},    {0xBC, u","},      {0xBE, u"."},
        {0xBA, u"0xBA"},   {0x2F, u"0x2F"},    {0x5B, u"0x5B"},   {0x6F, u"0x6F"},   {0x88, u"0x88"},
        {0x00, u"0x00"},   {0x100, u"0x100"},  {0xFFFFFFFF, u"0xFFFFFFFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyName(c.key), c.name) << c.key;
}

TEST_F(ShortcutTableTest, ShortcutTextInFrenchAndEnglish) {
    const struct {
        std::uint32_t modifiers;
        std::uint32_t key;
        std::u16string french;
        std::u16string english;
    } cases[] = {
        {kCtrlAlt, 0x25, u"Ctrl+Alt+Gauche", u"Ctrl+Alt+Left"},
        {kCtrl | kShift, 0x22, u"Ctrl+Maj+PgSuiv", u"Ctrl+Shift+PgDn"},
        {kAlt | kShift, 0x74, u"Alt+Maj+F5", u"Alt+Shift+F5"},
        {kCtrlAlt, 0, u"(aucun)", u"(aucun)"},
        {0, 0x41, u"A", u"A"},
        {0xFFFFFFFF, 0xFFFFFFFF, u"Ctrl+Alt+Maj+0xFFFFFFFF", u"Ctrl+Alt+Shift+0xFFFFFFFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortcutText(c.modifiers, c.key), c.french);
    FillBuiltInEnglish(ActiveTranslationTable());
    for (const auto& c : cases) EXPECT_EQ(ShortcutText(c.modifiers, c.key), c.english);
}

TEST_F(ShortcutTableTest, NoteShortcutNeedsExactlyTheModifiersOfANoteRow) {
    EXPECT_EQ(FindNoteShortcut(table, 0x25, kCtrlAlt), kDockLeftRow);
    EXPECT_EQ(FindNoteShortcut(table, 0x25, kCtrlAlt | kShift), -1);
    EXPECT_EQ(FindNoteShortcut(table, 0x25, kCtrl), -1);
    EXPECT_EQ(FindNoteShortcut(table, 0x4E, kCtrlAlt), -1);  // a global row
    table[kDockLeftRow].modifiers = 0;
    table[kDockLeftRow].key = 0;
    EXPECT_EQ(FindNoteShortcut(table, 0, 0), -1);            // unbound rows never match
    table[kDeleteNoteRow].key = 0x43;                        // duplicate of the category menu's row
    EXPECT_EQ(FindNoteShortcut(table, 0x43, kCtrlAlt), kCategoryMenuRow);  // the first in table order wins
}

TEST_F(ShortcutTableTest, CapturingTakesTheCombinationFromEveryOtherRow) {
    table[kNewNoteRow].registrationFailed = true;
    const CaptureResult result = CaptureKey(table, kDeleteNoteRow, 0x4E, kCtrlAlt);
    EXPECT_TRUE(result.waitEnds);
    EXPECT_FALSE(result.beep);
    ShortcutTable expected = DefaultShortcutTable();
    expected[kNewNoteRow].modifiers = 0;
    expected[kNewNoteRow].key = 0;
    expected[kDeleteNoteRow].key = 0x4E;
    EXPECT_EQ(table, expected);

    // The row's own combination stays with it, its failure cleared.
    table = DefaultShortcutTable();
    table[kSettingsRow].registrationFailed = true;
    EXPECT_TRUE(CaptureKey(table, kSettingsRow, 0x47, kCtrlAlt).waitEnds);
    EXPECT_EQ(table, DefaultShortcutTable());
}

TEST_F(ShortcutTableTest, CaptureRules) {
    const struct {
        const char* what;
        std::uint32_t key;
        std::uint32_t modifiers;
        bool waitEnds;
        bool beep;
        std::uint32_t rowModifiers;
        std::uint32_t rowKey;
    } cases[] = {
        {"Escape keeps the binding", 0x1B, kCtrlAlt, true, false, kCtrlAlt, 0x25},
        {"Delete unbinds", 0x2E, kCtrlAlt, true, false, 0, 0},
        {"Backspace unbinds", 0x08, 0, true, false, 0, 0},
        {"Shift is ignored", 0x10, kShift, false, false, kCtrlAlt, 0x25},
        {"Ctrl is ignored", 0x11, kCtrl, false, false, kCtrlAlt, 0x25},
        {"Alt is ignored", 0x12, kAlt, false, false, kCtrlAlt, 0x25},
        {"left Windows is ignored", 0x5B, kCtrl, false, false, kCtrlAlt, 0x25},
        {"right Windows is ignored", 0x5C, kCtrl, false, false, kCtrlAlt, 0x25},
        {"Shift+F5 beeps", 0x74, kShift, false, true, kCtrlAlt, 0x25},
        {"F5 alone beeps", 0x74, 0, false, true, kCtrlAlt, 0x25},
        {"Ctrl+F5 binds", 0x74, kCtrl, true, false, kCtrl, 0x74},
        {"Alt+Shift+F5 binds", 0x74, kAlt | kShift, true, false, kAlt | kShift, 0x74},
        {"Ctrl+Enter binds", 0x0D, kCtrl, true, false, kCtrl, 0x0D},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShortcutTable t = DefaultShortcutTable();
        const CaptureResult result = CaptureKey(t, kDockLeftRow, c.key, c.modifiers);
        EXPECT_EQ(result.waitEnds, c.waitEnds);
        EXPECT_EQ(result.beep, c.beep);
        EXPECT_EQ(t[kDockLeftRow].modifiers, c.rowModifiers);
        EXPECT_EQ(t[kDockLeftRow].key, c.rowKey);
    }
}

TEST_F(ShortcutTableTest, CaptureForARowOutsideTheTableChangesNothing) {
    for (const int row : {-1, 16, 1000}) {
        EXPECT_TRUE(CaptureKey(table, row, 0x4E, kCtrl).waitEnds);
        EXPECT_EQ(table, DefaultShortcutTable());
    }
}

}  // namespace

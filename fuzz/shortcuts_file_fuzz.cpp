// Reads arbitrary "shortcuts.txt" text into the table, shows every binding it
// gave, and checks that writing the table out and reading it back into a
// fresh table gives the same bindings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/state_slot.h"
#include "fuzz_text.h"
#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"
#include "settings/core/shortcut_table.h"
#include "settings/core/shortcuts_file.h"

namespace {

void CheckTexts(const ShortcutTable& table) {
    for (const Shortcut& shortcut : table) {
        Check(!KeyName(shortcut.key).empty());
        Check(!ShortcutText(shortcut.modifiers, shortcut.key).empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ShortcutTable first = DefaultShortcutTable();
    ParseShortcutsFile(TextFromInput(data, size), first);

    // Reading changes bindings only: ids, labels, defaults stay.
    const ShortcutTable defaults = DefaultShortcutTable();
    for (std::size_t i = 0; i < first.size(); ++i) {
        Check(first[i].id == defaults[i].id && first[i].label == defaults[i].label);
        Check(first[i].defaultKey == defaults[i].defaultKey);
    }

    // French, then English swapped in and out: filling a table every run
    // would cost more than everything else together. The table of the run
    // is bound once, as start-up binds the program's.
    static TranslationTable active;
    static const StateBinding<TranslationTable> bound(active);
    static TranslationTable english = [] {
        TranslationTable table;
        FillBuiltInEnglish(table);
        return table;
    }();
    ActiveTranslationTable().clear();
    CheckTexts(first);
    ActiveTranslationTable().swap(english);
    CheckTexts(first);
    ActiveTranslationTable().swap(english);

    CheckReadsBack(FormatShortcutsFile(first), defaults, first, ParseShortcutsFile, FormatShortcutsFile);
    return 0;
}

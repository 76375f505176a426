#include <gtest/gtest.h>

#include "notes/core/entry_list_layout.h"

namespace {

NoteEntry Entry(std::int32_t id, const char16_t* text, std::int32_t notified = 0) {
    return NoteEntry{id, 0, 0, notified, 0, text};
}

TEST(EntryEditRules, AnEntryCopiedBeforeADialogIsFoundAgainAfterIt) {
    const std::vector<NoteEntry> entries = {Entry(3, u"a"), Entry(7, u"b", 1), Entry(7, u"c")};
    const struct {
        NoteEntry copy;
        std::optional<std::size_t> expected;
    } cases[] = {
        {Entry(3, u"a"), 0},
        {Entry(7, u"c"), 2},             // the same entry, not only the same id
        {Entry(7, u"b"), 1},             // notified meanwhile: found by its id
        {Entry(9, u"a"), std::nullopt},  // gone
    };
    for (const auto& c : cases) EXPECT_EQ(FindEntry(entries, c.copy), c.expected) << c.copy.id;
}

TEST(EntryEditRules, EditCharacterIndexIsWidenedFromItsLow16Bits) {
    const struct {
        int lowBits;
        int firstVisible;
        int expected;
    } cases[] = {
        {120, 0, 120},
        {0x0010, 70000, 131088},   // 70000 is 0x11170: the next index ending in 0x0010
        {70100 & 0xFFFF, 70000, 70100},
        {0xFFFF, 65530, 65535},
        {5, 65530, 65541},
        {7, -1, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharIndexFromLowBits(c.lowBits, c.firstVisible), c.expected) << c.lowBits << " " << c.firstVisible;
    }
}

}  // namespace

#include "settings/core/shortcuts_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ShortcutTable ReadIntoDefaults(const std::u16string& text) {
    ShortcutTable table = DefaultShortcutTable();
    ParseShortcutsFile(text, table);
    return table;
}

TEST(ShortcutsFile, DefaultTableWritesALinePerRowInTableOrder) {
    EXPECT_EQ(FormatShortcutsFile(DefaultShortcutTable()),
              u"1|3|78\r\n2|3|68\r\n3|3|85\r\n4|3|71\r\n17|3|70\r\n18|3|86\r\n5|3|67\r\n6|3|84\r\n7|3|80\r\n"
              u"8|3|75\r\n9|3|65\r\n10|3|37\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n14|3|88\r\n");
}

TEST(ShortcutsFile, LinesReadLikeTheCLibraryScansThem) {
    const struct {
        std::u16string line;
        std::uint32_t modifiers;  // of id 1 afterwards
        std::uint32_t key;
    } cases[] = {
        {u"1|2|116", 2, 116},                 {u"  1| 2|\t116 trailing", 2, 116},
        {u"1|2|116\r\r", 2, 116},             {u"+1|+2|+116", 2, 116},
        {u"1|-1|-2", 4294967295u, 4294967294u}, {u"1|4294967295|99999999999999999999", 4294967295u, 4294967295u},
        {u"1|-99999999999|7", 4294967295u, 7}, {u"1|7|0x41", 7, 0},
        {u"1 |2|116", 3, 78},  // no blank allowed before a separator
        {u"1|2", 3, 78},                      {u"1|2|-", 3, 78},
        {u"1,2,116", 3, 78},                  {u"x1|2|116", 3, 78},
        {u"0001|2|116", 2, 116},              {u"4294967297|2|116", 3, 78},  // saturates, no wrap to 1
        {u"", 3, 78},
        // Neither Ctrl nor Alt: a key people type, so the row is unbound.
        {u"1|0|78", 0, 0},                    {u"1|4|65", 0, 0},
        {u"1|8|65", 0, 0},                    {u"1|1|65", 1, 65},
    };
    for (const auto& c : cases) {
        const ShortcutTable table = ReadIntoDefaults(c.line);
        EXPECT_EQ(table[0].modifiers, c.modifiers) << testing::PrintToString(c.line);
        EXPECT_EQ(table[0].key, c.key) << testing::PrintToString(c.line);
    }
}

TEST(ShortcutsFile, UnknownIdsAreIgnoredLaterLinesWinAndOthersStay) {
    ShortcutTable expected = DefaultShortcutTable();
    expected[6].modifiers = 0;  // a zero line unbinds its row
    expected[6].key = 0;
    expected[15].modifiers = 1;
    expected[15].key = 66;
    EXPECT_EQ(ReadIntoDefaults(u"0|1|1\n5|0|0\r\n15|1|1\n-14|1|1\n14|2|65\n14|1|66"), expected);
}

TEST(ShortcutsFile, WrittenTableReadsBackTheSame) {
    ShortcutTable edited = DefaultShortcutTable();
    edited[0].modifiers = 0;
    edited[0].key = 0;
    edited[11].modifiers = 0xFFFFFFFF;
    edited[11].key = 0x1234;
    EXPECT_EQ(ReadIntoDefaults(FormatShortcutsFile(edited)), edited);
}

// A file written before the find and clipboard rows existed: a combination
// the user gave another row stays theirs, and the new row starts unbound.
TEST(ShortcutsFile, ARowTheFileDoesNotNameLosesItsDefaultToARowTheFileBindsToIt) {
    struct Case {
        std::u16string text;
        std::size_t unboundRow;  // kShortcutCount: none
    };
    const Case cases[] = {
        {u"8|3|70\r\n", 4},                  // the colour row took Ctrl+Alt+F from the find row
        {u"1|3|86\r\n", 5},                  // the new-note row took Ctrl+Alt+V
        {u"8|3|70\r\n17|3|74\r\n", kShortcutCount},  // the file names the find row: both as written
        {u"8|7|70\r\n", kShortcutCount},     // Ctrl+Alt+Shift+F is another combination
        {u"1|3|78\r\n", kShortcutCount},     // a row's own default is no conflict
    };
    for (const Case& c : cases) {
        const ShortcutTable table = ReadIntoDefaults(c.text);
        for (std::size_t row = 0; row < kShortcutCount; ++row) {
            const bool unbound = row == c.unboundRow;
            EXPECT_EQ(table[row].key == 0, unbound) << testing::PrintToString(c.text) << " row " << row;
        }
    }
}

}  // namespace

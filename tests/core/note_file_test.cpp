#include "storage/core/note_file.h"

#include <gtest/gtest.h>

#include <array>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "storage/core/note_record.h"

namespace {

using namespace std::string_literals;

constexpr ColourRef kYellow = 0x00A0F6FF;
constexpr ColourRef kGreen = 0x00AFF0CD;
constexpr ColourRef kPink = 0x00E4D2FF;
constexpr ColourRef kBlue = 0x00FFE4C8;

std::string Printable(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

NoteFields Parse(const std::u16string& text) {
    NoteFields fields = DefaultNoteFields();
    ParseNoteFile(text, fields);
    return fields;
}

NoteEntry Entry(std::int32_t id, DueStamp due, std::int32_t done, std::int32_t notified,
                DateStamp doneDate, std::u16string text) {
    return NoteEntry{id, due, done, notified, doneDate, std::move(text)};
}

TEST(NoteFile, EmptyTextLeavesEveryPresetInPlace) {
    NoteFields fields = DefaultNoteFields();
    fields.x = 7;
    fields.dock = kDockTop;
    fields.entries.push_back(Entry(1, 5, 0, 0, 0, u"kept"));
    NoteFields expected = fields;
    ParseNoteFile(u"", fields);
    EXPECT_EQ(fields, expected);
}

TEST(NoteFile, SeparatorAndTextOnlyGiveADefaultNoteWithThatText) {
    const NoteFields fields = Parse(u"---\r\nhello\r\nworld");
    EXPECT_EQ(fields.x, 120);
    EXPECT_EQ(fields.y, 120);
    EXPECT_EQ(fields.width, 240);
    EXPECT_EQ(fields.height, 200);
    EXPECT_EQ(fields.colour, kYellow);
    EXPECT_EQ(fields.pinned, 0);
    EXPECT_EQ(fields.dock, 0);
    EXPECT_EQ(fields.type, 0);
    EXPECT_TRUE(fields.entries.empty());
    EXPECT_EQ(fields.body, u"hello\r\nworld");
}

TEST(NoteFile, HeaderIntegersAreReadLeniently) {
    const NoteFields fields = Parse(
        u"X=-50\r\nY=  +7\r\nW=abc\r\nH=300px\r\n"
        u"CAT=99999999999\r\nSUBCAT=-99999999999\r\nPIN=5\r\n");
    EXPECT_EQ(fields.x, -50);
    EXPECT_EQ(fields.y, 7);
    EXPECT_EQ(fields.width, 0);
    EXPECT_EQ(fields.height, 300);
    EXPECT_EQ(fields.categoryId, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(fields.subcategoryId, std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(fields.pinned);  // any value but 0 pins
}

TEST(NoteFile, KeysAreCaseSensitiveAnchoredAndTheLastOneWins) {
    const NoteFields fields = Parse(u"X=1\nx=2\n X=3\nY=4\nY=5\n# comment\n\nFOO=9\n");
    EXPECT_EQ(fields.x, 1);
    EXPECT_EQ(fields.y, 5);
}

TEST(NoteFile, ColourIsHexRgbOrALegacyPaletteIndex) {
    const struct {
        std::u16string_view line;
        ColourRef expected;
    } cases[] = {
        {u"COLOR=#FF0000", 0x000000FF},
        {u"COLOR=#00FF00", 0x0000FF00},
        {u"COLOR=#0000FF", 0x00FF0000},
        {u"COLOR=#123456", 0x00563412},
        {u"COLOR=#abcdef", 0x00EFCDAB},
        {u"COLOR=#0x123456", 0x00563412},
        {u"COLOR=#1FF0000", 0x000000FF},  // bits above 0xRRGGBB are dropped
        {u"COLOR=#", 0},
        {u"COLOR=#zz", 0},
        {u"COLOR=0", kYellow},
        {u"COLOR=1", kGreen},
        {u"COLOR=2", kPink},
        {u"COLOR=3", kBlue},
        {u"COLOR=7", kYellow},
        {u"COLOR=-1", kYellow},
        {u"COLOR=red", kYellow},
        {u"COLOR=", kYellow},
    };
    for (const auto& c : cases) {
        NoteFields fields = DefaultNoteFields();
        fields.colour = 0x00123456;
        ParseNoteFile(std::u16string(c.line), fields);
        EXPECT_EQ(fields.colour, c.expected) << Printable(c.line);
    }
}

TEST(NoteFile, OutOfRangeDockAndTypeBecomeZero) {
    // What the three fields hold afterwards: dock, last dock, type.
    const auto read = [](std::u16string_view line) {
        NoteFields fields = DefaultNoteFields();
        fields.dock = fields.lastDock = kDockTop;  // out of range must reset, not skip
        fields.type = kNotePlaceholder;
        ParseNoteFile(std::u16string(line), fields);
        return std::array<std::int32_t, 3>{fields.dock, fields.lastDock, fields.type};
    };
    const struct {
        std::u16string_view line;
        std::array<std::int32_t, 3> expected;
    } cases[] = {
        {u"DOCK=3", {3, 2, 2}},          {u"DOCK=-1", {0, 2, 2}},
        {u"DOCK=4", {0, 2, 2}},          {u"DOCK=4294967297", {0, 2, 2}},
        {u"LASTDOCK=1", {2, 1, 2}},      {u"LASTDOCK=-2147483648", {2, 0, 2}},
        {u"TYPE=1", {2, 2, 1}},          {u"TYPE=3", {2, 2, 0}},
        {u"TYPE=-1", {2, 2, 0}},         {u"TYPE=x", {2, 2, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(read(c.line), c.expected) << Printable(c.line);
}

TEST(NoteFile, EntryLinesOfBothForms) {
    constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::u16string_view line;
        std::vector<NoteEntry> expected;
    } cases[] = {
        {u"ENTRY|3|202503141530|1|1|20250314|Call the bank",
         {Entry(3, 202503141530, 1, 1, 20250314, u"Call the bank")}},
        {u"ENTRY|1|202501011200|0|0|buy milk", {Entry(1, 202501011200, 0, 0, 0, u"buy milk")}},
        // An older line whose text holds pipes reads as the current form.
        {u"ENTRY|1|202501011200|0|0|a|b|c", {Entry(1, 202501011200, 0, 0, 0, u"b|c")}},
        {u"ENTRY|1|202501011200|0|0|0|a|b|c|", {Entry(1, 202501011200, 0, 0, 0, u"a|b|c|")}},
        {u"ENTRY|3|202503141530|0|0|0|", {Entry(3, 202503141530, 0, 0, 0, u"")}},
        {u"ENTRY|2|0|0|0|0|x", {Entry(2, 0, 0, 0, 0, u"x")}},
        {u"ENTRY|1|2", {Entry(1, 2, 0, 0, 0, u"")}},
        {u"ENTRY|4294967297|1|4294967298|-1|0|t", {Entry(1, 1, 2, -1, 0, u"t")}},
        {u"ENTRY|1|99999999999999999999|0|0|0|x", {Entry(1, kInt64Max, 0, 0, 0, u"x")}},
        {u"ENTRY|2|0|0|0|0|", {}},
        {u"ENTRY|2|0|0|0|", {}},
        {u"ENTRY|", {}},
        {u"ENTRY|5", {}},
        {u"entry|1|5|0|0|0|x", {}},
        {u" ENTRY|1|5|0|0|0|x", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(std::u16string(c.line)).entries, c.expected) << Printable(c.line);
    }
}

TEST(NoteFile, EntriesKeepFileOrderAndAreAppended) {
    NoteFields fields = DefaultNoteFields();
    fields.entries.push_back(Entry(9, 1, 0, 0, 0, u"preset"));
    ParseNoteFile(u"ENTRY|1|300|0|0|0|late\r\nENTRY|2|100|0|0|0|early\r\n", fields);
    EXPECT_EQ(fields.entries, (std::vector<NoteEntry>{Entry(9, 1, 0, 0, 0, u"preset"),
                                                      Entry(1, 300, 0, 0, 0, u"late"),
                                                      Entry(2, 100, 0, 0, 0, u"early")}));
}

TEST(NoteFile, BodyLinesThatLookLikeHeaderLinesStayText) {
    const std::u16string body = u"X=5\r\n---\r\nENTRY|1|202501011200|0|0|0|x\r\nCOLOR=2";
    const NoteFields fields = Parse(u"X=1\r\n---\r\n" + body);
    EXPECT_EQ(fields.x, 1);
    EXPECT_EQ(fields.colour, kYellow);
    EXPECT_TRUE(fields.entries.empty());
    EXPECT_EQ(fields.body, body);
}

TEST(NoteFile, TrailingCarriageReturnsAreRemovedOthersStay) {
    const NoteFields fields = Parse(u"X=5\r\r\r\nY=6\n---\r\r\nline\r\r\na\rb\nlast\r");
    EXPECT_EQ(fields.x, 5);
    EXPECT_EQ(fields.y, 6);
    EXPECT_EQ(fields.body, u"line\r\na\rb\r\nlast");
}

TEST(NoteFile, BodyIsClearedEvenWithoutSeparator) {
    NoteFields fields = DefaultNoteFields();
    fields.body = u"stale";
    ParseNoteFile(u"X=3\r\nsome text", fields);
    EXPECT_EQ(fields.body, u"");
}

TEST(NoteFile, BodyKeepsItsTrailingLineBreaks) {
    const struct {
        std::u16string_view file;
        std::u16string_view body;
    } cases[] = {
        {u"---\r\n", u""},
        {u"---", u""},
        {u"---\r\nabc", u"abc"},
        {u"---\r\nabc\r\n", u"abc\r\n"},
        {u"---\r\nabc\r\n\r\n", u"abc\r\n\r\n"},
        {u"---\r\n\r\n", u"\r\n"},
        {u"---\n\n\n", u"\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(std::u16string(c.file)).body, c.body) << Printable(c.file);
    }
}

TEST(NoteFile, NulCharactersAreOrdinaryText) {
    const NoteFields fields = Parse(u"X=1\0" u"2\r\nENTRY|1|5|0|0|0|a\0b\r\n---\r\nx\0y"s);
    EXPECT_EQ(fields.x, 1);
    ASSERT_EQ(fields.entries.size(), 1u);
    EXPECT_EQ(fields.entries[0].text, u"a\0b"s);
    EXPECT_EQ(fields.body, u"x\0y"s);
}

TEST(NoteFile, VeryLongLinesAreReadWhole) {
    const std::u16string longText(1'000'000, u'w');
    const NoteFields fields =
        Parse(u"X=" + std::u16string(100'000, u'9') + u"\r\nENTRY|1|5|0|0|0|" + longText +
              u"\r\n---\r\n" + longText);
    EXPECT_EQ(fields.x, std::numeric_limits<std::int32_t>::max());
    ASSERT_EQ(fields.entries.size(), 1u);
    EXPECT_EQ(fields.entries[0].text, longText);
    EXPECT_EQ(fields.body, longText);
}

Note SampleNote() {
    Note note;
    note.id = 0x01DB2C3F4A5B6C7D;
    note.colour = 0x00563412;
    note.categoryId = 3;
    note.subcategoryId = 7;
    note.type = kNoteScheduled;
    note.pinned = true;
    note.dock = kDockTop;
    note.lastDock = kDockTop;
    note.entries = {Entry(3, 202503141530, 0, 0, 0, u"Call the bank"),
                    Entry(4, 0, 1, 1, 20250314, u"a|b")};
    return note;
}

TEST(NoteFile, FormatIsByteExact) {
    const std::u16string expected =
        u"X=-100\r\nY=50\r\nW=240\r\nH=200\r\nCOLOR=#123456\r\nCAT=3\r\nSUBCAT=7\r\nPIN=1\r\n"
        u"DOCK=2\r\nLASTDOCK=2\r\nTYPE=1\r\n"
        u"ENTRY|3|202503141530|0|0|0|Call the bank\r\n"
        u"ENTRY|4|0|1|1|20250314|a|b\r\n"
        u"---\r\n"
        u"line 1\r\nline 2";
    const std::u16string body = u"line 1\r\nline 2";
    EXPECT_EQ(FormatNoteFile(SampleNote(), Rect{-100, 50, 140, 250}, body), expected);
}

TEST(NoteFile, FormatWritesExtremeNumbersInFull) {
    constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
    Note note;
    note.colour = 0xFF000000;  // the unused high byte is not written
    note.categoryId = kMin32;
    note.entries = {Entry(kMin32, kMin64, -1, 2147483647, kMin64, u"x")};
    const std::u16string text = FormatNoteFile(note, Rect{kMin32, 0, 2147483647, 0}, u"");
    EXPECT_EQ(text,
              u"X=-2147483648\r\nY=0\r\nW=-1\r\nH=0\r\nCOLOR=#000000\r\nCAT=-2147483648\r\nSUBCAT=0\r\n"
              u"PIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n"
              u"ENTRY|-2147483648|-9223372036854775808|-1|2147483647|-9223372036854775808|x\r\n"
              u"---\r\n");
}

TEST(NoteFile, LineFeedInEntryTextCannotInjectLines) {
    Note note;
    note.entries = {Entry(1, 5, 0, 0, 0, u"one\n---\nX=9")};
    const NoteFields fields = Parse(FormatNoteFile(note, Rect{1, 2, 3, 4}, u"body"));
    EXPECT_EQ(fields.x, 1);
    EXPECT_EQ(fields.entries, (std::vector<NoteEntry>{Entry(1, 5, 0, 0, 0, u"one --- X=9")}));
    EXPECT_EQ(fields.body, u"body");
}

TEST(NoteFile, FormatThenParseGivesTheNoteBack) {
    const Note note = SampleNote();
    NoteFields expected;
    static_cast<NoteProperties&>(expected) = note;
    expected.x = -100;
    expected.y = 50;
    expected.body = u"X=5\r\n---\r\n\r\nlast line\r\n";
    EXPECT_EQ(Parse(FormatNoteFile(note, Rect{-100, 50, 140, 250}, expected.body)), expected);
}

TEST(NoteFileName, IsSixteenUpperCaseHexDigits) {
    EXPECT_EQ(NoteFileName(0x01DB2C3F4A5B6C7D), u"note_01DB2C3F4A5B6C7D.txt");
    EXPECT_EQ(NoteFileName(0), u"note_0000000000000000.txt");
    EXPECT_EQ(NoteFileName(0xFFFFFFFFFFFFFFFF), u"note_FFFFFFFFFFFFFFFF.txt");
}

TEST(NoteFileName, IdIsTheHexNumberAfterThePrefix) {
    const struct {
        std::u16string_view name;
        std::uint64_t id;
    } cases[] = {
        {u"note_01DB2C3F4A5B6C7D.txt", 0x01DB2C3F4A5B6C7D},
        {u"note_01db2c3f4a5b6c7d.txt", 0x01DB2C3F4A5B6C7D},
        {u"note_1A.txt", 0x1A},
        {u"note_zz.txt", 0},
        {u"note_.txt", 0},
        {u"note_", 0},
        {u"note", 0},
        {u"", 0},
        {u"note_FFFFFFFFFFFFFFFFF.txt", 0xFFFFFFFFFFFFFFFF},
    };
    for (const auto& c : cases) EXPECT_EQ(NoteIdFromFileName(c.name), c.id) << Printable(c.name);
}

TEST(NoteFileName, OnlyNamesTheProgramWritesAreCanonical) {
    const struct {
        std::u16string_view name;
        bool canonical;
    } cases[] = {
        {u"note_01DB2C3F4A5B6C7D.txt", true},
        {u"note_01db2c3f4a5b6c7d.txt", true},
        {u"NOTE_0000000000000000.TXT", true},
        {u"note_zz.txt", false},
        {u"note_1A.txt", false},
        {u"note_01DB2C3F4A5B6C7.txt", false},
        {u"note_01DB2C3F4A5B6C7DE.txt", false},
        {u"note_01DB2C3F4A5B6C7G.txt", false},
        {u"note_ 1DB2C3F4A5B6C7D.txt", false},
        {u"note_-1DB2C3F4A5B6C7D.txt", false},
        {u"note_01DB2C3F4A5B6C7D.txt.tmp", false},
        {u"note_01DB2C3F4A5B6C7D.tx", false},
        {u"note-01DB2C3F4A5B6C7D.txt", false},
        {u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsCanonicalNoteFileName(c.name), c.canonical) << Printable(c.name);
    }
    EXPECT_TRUE(IsCanonicalNoteFileName(NoteFileName(0x0123456789ABCDEF)));
}

TEST(NoteRecord, SortPutsUndatedEntriesLastAndKeepsTies) {
    std::vector<NoteEntry> entries = {
        Entry(1, 0, 0, 0, 0, u"undated a"), Entry(2, 300, 0, 0, 0, u""),
        Entry(3, 100, 0, 0, 0, u"first"),   Entry(4, 0, 0, 0, 0, u"undated b"),
        Entry(5, 100, 0, 0, 0, u"second"),  Entry(6, -5, 0, 0, 0, u"")};
    SortEntries(entries);
    std::vector<std::int32_t> ids;
    for (const NoteEntry& entry : entries) ids.push_back(entry.id);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{6, 3, 5, 2, 1, 4}));
}

TEST(NoteRecord, BlankTextIsOnlyNulAndWhiteSpace) {
    const struct {
        std::u16string text;
        bool blank;
    } cases[] = {
        {u"", true},
        {u" \t\r\n\v\f", true},
        {u"\0 \0"s, true},
        {u"\u00A0\u2007\u3000\u2028", true},
        {u"  a  ", false},
        {u"\u200B", false},  // zero-width space is not white space
        {u"\uFEFF", false},
        {u".", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsBlankText(c.text), c.blank) << Printable(c.text);
}

}  // namespace

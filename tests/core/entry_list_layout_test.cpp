#include "notes/core/entry_list_layout.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;
constexpr DateStamp kToday = 20250314;

NoteEntry Entry(std::int32_t id, int done = 0, DateStamp doneDate = 0) {
    return NoteEntry{id, 0, done, 0, doneDate, u""};
}

std::vector<std::size_t> Rows(std::size_t count) {
    std::vector<std::size_t> visible;
    for (std::size_t i = 0; i < count; ++i) visible.push_back(i * 10);  // entry index = 10 × row
    return visible;
}

TEST(EntryListLayout, DoneEntriesShowOnlyOnTheDayTheyWereTicked) {
    const std::vector<NoteEntry> entries = {
        Entry(1), Entry(2, 1, kToday), Entry(3, 1, 20250313), Entry(4), Entry(5, 1, 0),
    };
    EXPECT_EQ(VisibleEntries(entries, kToday), (std::vector<std::size_t>{0, 1, 3}));
}

TEST(EntryListLayout, RowCountKeepsRoomForTheAddRow) {
    const struct {
        std::size_t visible;
        int height;
        int shown;
    } cases[] = {{5, 200, 5}, {6, 200, 5}, {0, 200, 0}, {2, 58, 0}, {2, 82, 1}, {1, 10, 0}, {100, 1000, 39}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShownRowCount(c.visible, c.height), c.shown) << c.visible << " in " << c.height;
    }
    EXPECT_EQ(AddRowRect(3, kWidth), (Rect{6, 106, 236, 130}));
    EXPECT_EQ(AddRowRect(0, kWidth), (Rect{6, 34, 236, 58}));
}

TEST(EntryListLayout, RowGeometry) {
    EXPECT_EQ(EntryRowTop(2), 82);
    EXPECT_EQ(CheckBoxRect(1), (Rect{6, 62, 21, 77}));
    EXPECT_EQ(CheckMarkPoints(0), (std::array<Point, 3>{Point{9, 45}, Point{12, 50}, Point{19, 40}}));
    EXPECT_EQ(DeleteMarkRect(0, kWidth), (Rect{222, 38, 236, 52}));
    EXPECT_EQ(DueTextRect(1, kWidth), (Rect{100, 58, 216, 82}));
    EXPECT_EQ(EntryTextRect(1, kWidth), (Rect{27, 58, 94, 82}));
    // The strike-through of a done entry is cut at the text box.
    EXPECT_EQ(StrikeThroughLine(0, kWidth, 40), (LineSegment{{27, 46}, {67, 46}}));
    EXPECT_EQ(StrikeThroughLine(1, kWidth, 500), (LineSegment{{27, 70}, {94, 70}}));
    EXPECT_EQ(StrikeThroughLine(0, kWidth, std::numeric_limits<int>::max()), (LineSegment{{27, 46}, {94, 46}}));
    EXPECT_EQ(StrikeThroughLine(0, 100, 40), (LineSegment{{27, 46}, {27, 46}}));  // no room: no line
}

TEST(EntryListLayout, ClickTable) {
    using K = EntryClickKind;
    const struct {
        Point point;
        std::size_t visible;
        EntryListClick expected;
    } cases[] = {
        // The check box's corners and just outside it.
        {{6, 38}, 3, {K::ToggleDone, 0}},   {{20, 52}, 3, {K::ToggleDone, 0}},  {{21, 45}, 3, {K::Edit, 0}},
        {{5, 45}, 3, {K::Edit, 0}},         {{10, 37}, 3, {K::Edit, 0}},        {{10, 53}, 3, {K::Edit, 0}},
        {{10, 30}, 3, {K::Edit, 0}},  // above row 0 counts as row 0
        {{10, 64}, 3, {K::ToggleDone, 10}}, {{222, 34}, 3, {K::Delete, 0}},     {{239, 57}, 3, {K::Delete, 0}},
        {{221, 100}, 3, {K::Edit, 20}},     {{100, 106}, 3, {K::Add, 0}},       {{230, 129}, 3, {K::Add, 0}},
        {{100, 130}, 3, {K::Nothing, 0}},   {{100, 29}, 3, {K::Nothing, 0}},    {{10, 30}, 0, {K::Add, 0}},
        {{10, 58}, 0, {K::Nothing, 0}},     {{100, 153}, 8, {K::Edit, 40}},     {{100, 154}, 8, {K::Add, 0}},
        {{100, 178}, 8, {K::Nothing, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EntryListClickAt(c.point, kWidth, kHeight, Rows(c.visible)), c.expected)
            << "at " << c.point.x << "," << c.point.y << " with " << c.visible;
    }
    // A click on a former row hits the entry shown there now.
    const std::vector<NoteEntry> entries = {Entry(1, 1, 20250313), Entry(2), Entry(3)};
    const EntryListClick click = EntryListClickAt({100, 40}, kWidth, kHeight, VisibleEntries(entries, kToday));
    EXPECT_EQ(click, (EntryListClick{EntryClickKind::Edit, 1}));
}

TEST(EntryListLayout, MenuRowOnlyOnShownEntryRows) {
    const struct {
        int y;
        std::size_t visible;
        std::optional<std::size_t> entry;
    } cases[] = {
        {33, 3, std::nullopt}, {34, 3, 0}, {57, 3, 0}, {58, 3, 10}, {105, 3, 20}, {106, 3, std::nullopt},
        {40, 0, std::nullopt}, {153, 8, 40}, {154, 8, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EntryMenuRowAt({100, c.y}, kHeight, Rows(c.visible)), c.entry) << "at y " << c.y;
    }
}

TEST(EntryListLayout, DueAndPreviewTexts) {
    EXPECT_EQ(FormatDue(202512312359), u"31/12/25 23:59");
    EXPECT_EQ(FormatDue(200001020304), u"02/01/00 03:04");
    EXPECT_EQ(FormatDue(0), u"(sans date)");
    EXPECT_EQ(FormatDue(-5), u"(sans date)");

    const std::u16string thirty = u"abcdefghijklmnopqrstuvwxyz0123";
    EXPECT_EQ(EntryPreview(thirty, kEntryPreviewLength), u"abcdefghijklmnopqrstuvwxyz01…");
    EXPECT_EQ(EntryPreview(thirty.substr(0, 28), kEntryPreviewLength), thirty.substr(0, 28));
    EXPECT_EQ(EntryPreview(u"", kEntryPreviewLength), u"(ligne vide)");
    EXPECT_EQ(EntryPreview(u"été à Noël", 3), u"été…");
    EXPECT_EQ(EntryPreview(u"ab\U0001F600cd", 3), u"ab…");  // the emoji is not cut in half
}

TEST(EntryListLayout, NextEntryIdIsAlwaysUnused) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(NextEntryId({}), 1);
    EXPECT_EQ(NextEntryId({Entry(3), Entry(7), Entry(2)}), 8);
    EXPECT_EQ(NextEntryId({Entry(-4)}), -3);
    EXPECT_EQ(NextEntryId({Entry(kMax)}), 1);
    EXPECT_EQ(NextEntryId({Entry(1), Entry(kMax), Entry(2), Entry(4)}), 3);
}

TEST(EntryListLayout, TickingAndEditingAnEntry) {
    NoteEntry entry{1, 0, 7, 1, 0, u"x"};  // any non-zero done counts as done
    ToggleEntryDone(entry, kToday);
    EXPECT_EQ(entry, (NoteEntry{1, 0, 0, 1, 0, u"x"}));
    ToggleEntryDone(entry, kToday);
    EXPECT_EQ(entry, (NoteEntry{1, 0, 1, 1, kToday, u"x"}));  // notified stays
    ToggleEntryDone(entry, kToday);
    EXPECT_EQ(entry, (NoteEntry{1, 0, 0, 1, 0, u"x"}));  // doneDate cleared

    const NoteEntry original{5, 202501011200, 1, 1, kToday, u"old"};
    EXPECT_EQ(EditedEntry(original, NoteEntry{0, 202501011200, 0, 0, 0, u"new text"}),
              (NoteEntry{5, 202501011200, 1, 1, kToday, u"new text"}));
    EXPECT_EQ(EditedEntry(original, NoteEntry{0, 202501011300, 0, 0, 0, u"old"}),
              (NoteEntry{5, 202501011300, 1, 0, kToday, u"old"}));  // a new due re-arms the reminder
}

TEST(EntryListLayout, LinesAreFoundBetweenLineBreaksAndRemovedWithOne) {
    const std::u16string text = u"one\r\ntwo words\r\n\r\nlast";
    const struct {
        int position;
        TextLine line;
    } cases[] = {
        {0, {0, 3, 0, 4}},   {3, {0, 3, 0, 4}},   {4, {0, 3, 0, 4}},   {5, {5, 9, 1, 4}},  {16, {16, 0, 2, 4}},
        {18, {18, 4, 3, 4}}, {22, {18, 4, 3, 4}}, {99, {18, 4, 3, 4}}, {-3, {0, 3, 0, 4}},
    };
    for (const auto& c : cases) EXPECT_EQ(TextLineAt(text, c.position), c.line) << "at " << c.position;
    EXPECT_EQ(TextLineAt(u"", 0), (TextLine{0, 0, 0, 1}));

    // A removed line takes one break with it; in "one\r\ntwo\r\nthree", the one after it.
    EXPECT_EQ(LineDeletionRange(5, 3, 1, 3), (TextRange{5, 10}));
    EXPECT_EQ(LineDeletionRange(0, 3, 0, 3), (TextRange{0, 5}));
    EXPECT_EQ(LineDeletionRange(10, 5, 2, 3), (TextRange{8, 15}));  // last: the break before
    EXPECT_EQ(LineDeletionRange(0, 4, 0, 1), (TextRange{0, 4}));    // the only line
}

}  // namespace

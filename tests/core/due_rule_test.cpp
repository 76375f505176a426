#include "reminders/core/due_rule.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "entries/core/due_text.h"
#include "storage/core/note_record.h"

namespace {

constexpr DueStamp kNow = 202503141405;  // 14 March 2025, 14:05

NoteEntry Entry(DueStamp due, std::int32_t done = 0, std::int32_t notified = 0) {
    return NoteEntry{1, due, done, notified, 0, u"call the bank"};
}

TEST(DueRule, StampsAreTheDecimalDigitsOfTheLocalTime) {
    EXPECT_EQ(MakeDueStamp(DueParts{2024, 12, 31, 23, 59}), 202412312359);
    EXPECT_EQ(DateStampOf(DueParts{2025, 3, 14, 14, 5}), 20250314);
}

TEST(DueRule, AnEntryFiresFromItsMinuteOnUntilDoneOrAnnounced) {
    const struct {
        NoteEntry entry;
        bool due;
    } cases[] = {
        {Entry(202503141405), true},     {Entry(202503141404), true},         // its very minute, or past
        {Entry(202001010000), true},     {Entry(202503141406), false},        // long past; the next minute
        {Entry(0), false},               {Entry(-202503141405), false},       // undated, also when negative
        {Entry(202503141400, 1), false}, {Entry(202503141400, 0, 1), false},  // done; announced
        {Entry(202503141400, 7, 0), false},                                   // any non-zero flag counts
    };
    for (const auto& c : cases) EXPECT_EQ(IsEntryDue(c.entry, kNow), c.due) << c.entry.due;
}

TEST(DueRule, OnlyAScheduledNoteAnnouncesItsEntriesInListOrder) {
    Note note;
    note.entries = {Entry(202503140900), Entry(202503141000, 1), Entry(202503141405),
                    Entry(202503141500), Entry(0)};
    note.type = kNoteScheduled;
    EXPECT_EQ(DueEntryIndices(note, kNow), (std::vector<std::size_t>{0, 2}));
    note.type = kNoteRegular;
    EXPECT_TRUE(DueEntryIndices(note, kNow).empty());
    note.type = kNotePlaceholder;
    EXPECT_TRUE(DueEntryIndices(note, kNow).empty());
}

TEST(DueRule, AScanAnnouncesNoMoreThanTheStackShowsOldestFirst) {
    // Two notes, as the walk finds them; the limit is the stack's capacity.
    const std::vector<DueCandidate> found = {
        {0, 0, 202503141400}, {0, 3, 202503140900}, {1, 1, 202503141000}, {1, 2, 202503140900}};
    const auto announced = [&found](int limit) {
        std::vector<std::pair<std::size_t, std::size_t>> picked;
        for (const DueCandidate& c : EntriesToAnnounce(found, limit)) picked.push_back({c.note, c.entry});
        return picked;
    };
    using Picked = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(announced(8), (Picked{{0, 3}, {1, 2}, {1, 1}, {0, 0}}));  // ties keep walk order
    EXPECT_EQ(announced(2), (Picked{{0, 3}, {1, 2}}));                  // the rest wait
    EXPECT_TRUE(announced(0).empty());
}

TEST(DueRule, TheDayChangesOnlyAfterAScanOnAnotherDay) {
    EXPECT_FALSE(DayChanged(0, 20250314));  // first scan of the process
    EXPECT_FALSE(DayChanged(20250314, 20250314));
    EXPECT_TRUE(DayChanged(20250313, 20250314));
    EXPECT_TRUE(DayChanged(20250315, 20250314));  // clock set back
}

}  // namespace

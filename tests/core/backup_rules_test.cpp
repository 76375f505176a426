// The day arithmetic, the bin's names and expiry, and the backups' names,
// manifests and rotation.
#include "storage/core/backup_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/core/bin_rules.h"
#include "storage/core/moment.h"

namespace {

TEST(Moment, DaysAndWeeksCountAcrossMonthsYearsAndLeapDays) {
    const struct {
        Moment moment;
        std::int64_t day;
        std::int64_t week;
    } cases[] = {
        {{1970, 1, 1, 0, 0}, 0, 0},        // a Thursday: week 0 began on Monday 29 December 1969
        {{1970, 1, 4, 23, 59}, 3, 0},      // Sunday
        {{1970, 1, 5, 0, 0}, 4, 1},        // Monday
        {{1969, 12, 29, 0, 0}, -3, 0},     // that Monday
        {{1969, 12, 28, 0, 0}, -4, -1},    // and the Sunday before
        {{2000, 3, 1, 0, 0}, 11017, 1574},  // after 29 February of a year divisible by 400
        {{2024, 2, 29, 12, 0}, 19782, 2826},
        {{2025, 3, 31, 0, 0}, 20178, 2883},  // Monday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayNumber(c.moment), c.day) << c.moment.year << "-" << c.moment.month << "-" << c.moment.day;
        EXPECT_EQ(WeekNumber(c.moment), c.week) << c.moment.year << "-" << c.moment.month << "-" << c.moment.day;
    }
}

TEST(Moment, DigitsReadBackOnlyForRealMoments) {
    const Moment moment{2025, 3, 30, 7, 5};
    EXPECT_EQ(MomentDigits(moment), u"20250330-0705");
    EXPECT_EQ(MomentText(moment), u"30/03/2025 07:05");
    Moment read;
    ASSERT_TRUE(ParseMomentDigits(u"20250330-0705", read));
    EXPECT_EQ(read, moment);
    for (const char16_t* wrong : {u"20250230-0705", u"20250330-2400", u"20250330-0760", u"20250330_0705",
                                  u"2025033-07050", u"20250330-070", u"20250330-07055", u"00000101-0000",
                                  u"2025033a-0705", u"20230229-1200"}) {
        EXPECT_FALSE(ParseMomentDigits(wrong, read)) << std::u16string(wrong).size();
    }
    EXPECT_TRUE(ParseMomentDigits(u"20240229-1200", read));
}

TEST(BinRules, FileNamesKeepTheNoteAndTheMomentOfItsDeletion) {
    const struct {
        BinName name;
        std::u16string text;
    } cases[] = {
        {{0xA1, {2025, 3, 30, 14, 5}, 1}, u"note_00000000000000A1_20250330-1405.txt"},
        {{0xFFFFFFFFFFFFFFFF, {2025, 12, 31, 23, 59}, 2}, u"note_FFFFFFFFFFFFFFFF_20251231-2359_2.txt"},
        {{1, {2025, 1, 1, 0, 0}, 99}, u"note_0000000000000001_20250101-0000_99.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BinFileName(c.name), c.text);
        EXPECT_EQ(ParseBinFileName(c.text), c.name);
    }
    for (const char16_t* other : {u"note_00000000000000A1.txt", u"note_00000000000000A1_20250330-1405.txt.tmp",
                                  u"note_00000000000000A1_20250330-1405_1.txt", u"note_00000000000000A1_20250330-1405_02.txt",
                                  u"note_00000000000000A1_20250330-1405_100.txt", u"note_0A1_20250330-1405.txt",
                                  u"note_00000000000000A1-20250330-1405.txt", u"note_00000000000000G1_20250330-1405.txt",
                                  u"note_00000000000000A1_20250230-1405.txt", u"categories.txt", u""}) {
        EXPECT_FALSE(ParseBinFileName(other)) << std::u16string(other).size();
    }
}

TEST(BinRules, ANoteLeavesTheBinThirtyDaysAfterItsDeletion) {
    const Moment deleted{2025, 3, 30, 14, 5};
    const struct {
        Moment now;
        bool expired;
    } cases[] = {
        {{2025, 3, 30, 14, 5}, false},
        {{2025, 4, 28, 23, 59}, false},  // 29 days
        {{2025, 4, 29, 14, 4}, false},   // a minute short of 30 days
        {{2025, 4, 29, 14, 5}, true},
        {{2025, 4, 30, 0, 0}, true},
        {{2026, 1, 1, 0, 0}, true},
        {{2025, 3, 1, 0, 0}, false},  // the clock set back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsBinFileExpired(deleted, c.now), c.expired) << c.now.month << "-" << c.now.day << " " << c.now.hour;
    }
}

TEST(BinRules, TheFirstLineIsTheFirstThatHoldsSomething) {
    const struct {
        std::u16string body;
        std::u16string line;
    } cases[] = {
        {u"Shopping\r\nbread", u"Shopping"},
        {u"\r\n  \t\r\n  Call Anna  \r\nlater", u"Call Anna"},
        {u"only", u"only"},
        {u" \r\n ", u""},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(FirstLineOf(c.body), c.line);
}

TEST(BackupRules, FolderNamesTellTheDaysBackupFromTheOneBeforeARestore) {
    const struct {
        BackupName name;
        std::u16string text;
    } cases[] = {
        {{{2025, 3, 30, 9, 0}, false, 1}, u"20250330-0900"},
        {{{2025, 3, 30, 9, 0}, true, 1}, u"20250330-0900_avant-restauration"},
        {{{2025, 3, 30, 9, 0}, true, 3}, u"20250330-0900_avant-restauration_3"},
        {{{2025, 3, 30, 9, 0}, false, 2}, u"20250330-0900_2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackupFolderName(c.name), c.text);
        EXPECT_EQ(ParseBackupFolderName(c.text), c.name);
    }
    // A backup cut short keeps its partial name, which is no backup's.
    for (const char16_t* other : {u"20250330-0900.tmp", u"20250330-0900_avant-restauration.tmp", u"20250330-0900_",
                                  u"20250330-0900_1", u"20250330-0900_avant", u"20250332-0900", u"notes", u""}) {
        EXPECT_FALSE(ParseBackupFolderName(other)) << std::u16string(other).size();
    }
}

TEST(BackupRules, AManifestIsWholeOnlyWithItsClosingLine) {
    const std::vector<DataFile> files = {{u"categories.txt", 120, 133000000000000000},
                                         {u"notes\\note_00000000000000A1.txt", 0, 1},
                                         {u"corbeille\\note_00000000000000A2_20250330-1405.txt", 18446744073709551615u, 0}};
    const std::u16string text = FormatManifest(files);
    EXPECT_EQ(ParseManifest(text), files);
    EXPECT_EQ(ParseManifest(FormatManifest({})), std::vector<DataFile>{});

    const std::size_t end = text.rfind(u"FIN|");
    for (const std::u16string& cut : {text.substr(0, end), text.substr(0, end + 4), text.substr(0, text.size() / 2),
                                      std::u16string(), text.substr(text.find(u'\n') + 1),
                                      text.substr(0, end) + u"FIN|2\r\n", text + u"1|1|x\r\n",
                                      text.substr(0, end) + u"x|1|notes\\a\r\nFIN|4\r\n",
                                      text.substr(0, end) + u"1|1|\r\nFIN|4\r\n"}) {
        EXPECT_FALSE(ParseManifest(cut)) << cut.size();
    }
}

TEST(BackupRules, ABackupHoldsEveryFileItListsAtItsSize) {
    const std::vector<DataFile> manifest = {{u"categories.txt", 120, 5}, {u"notes\\note_00000000000000A1.txt", 40, 6}};
    EXPECT_TRUE(HoldsEveryFile(manifest, {{u"categories.txt", 120}, {u"notes\\note_00000000000000A1.txt", 40}}));
    EXPECT_TRUE(HoldsEveryFile(manifest, {{u"categories.txt", 120}, {u"notes\\note_00000000000000A1.txt", 40},
                                          {u"manifeste.txt", 99}}));
    EXPECT_FALSE(HoldsEveryFile(manifest, {{u"categories.txt", 120}}));  // cut before the last file
    EXPECT_FALSE(HoldsEveryFile(manifest, {{u"categories.txt", 120}, {u"notes\\note_00000000000000A1.txt", 12}}));
    EXPECT_EQ(NoteFileCount(manifest), 1);
    EXPECT_EQ(NoteFileCount({{u"notes\\note_00000000000000A1.txt.original", 1, 1},
                             {u"corbeille\\note_00000000000000A2_20250330-1405.txt", 1, 1},
                             {u"notes\\note_00000000000000A3.txt", 1, 1}}),
              1);
}

TEST(BackupRules, AChangeIsAnyFileAddedRemovedResizedOrRewritten) {
    const std::vector<DataFile> last = {{u"a", 1, 10}, {u"b", 2, 20}};
    EXPECT_TRUE(SameDataFiles(last, {{u"b", 2, 20}, {u"a", 1, 10}}));
    EXPECT_FALSE(SameDataFiles(last, {{u"a", 1, 10}}));
    EXPECT_FALSE(SameDataFiles(last, {{u"a", 1, 10}, {u"b", 2, 20}, {u"c", 0, 0}}));
    EXPECT_FALSE(SameDataFiles(last, {{u"a", 1, 10}, {u"b", 3, 20}}));
    EXPECT_FALSE(SameDataFiles(last, {{u"a", 1, 10}, {u"b", 2, 21}}));
}

TEST(BackupRules, OneDaysBackupADayWhateverTheBackupsBeforeARestore) {
    const Moment today{2025, 3, 30, 0, 1};
    EXPECT_TRUE(IsDailyBackupDue({}, today));
    EXPECT_TRUE(IsDailyBackupDue({{{2025, 3, 29, 23, 59}, false, 1}}, today));
    EXPECT_TRUE(IsDailyBackupDue({{{2025, 3, 30, 0, 0}, true, 1}}, today));
    EXPECT_FALSE(IsDailyBackupDue({{{2025, 3, 29, 8, 0}, false, 1}, {{2025, 3, 30, 0, 0}, false, 1}}, today));
}

// Backups made at noon on the given days (month, day) of 2025.
std::vector<BackupName> MadeOn(const std::vector<std::pair<int, int>>& days) {
    std::vector<BackupName> names;
    for (const auto& [month, day] : days) names.push_back(BackupName{{2025, month, day, 12, 0}, false, 1});
    return names;
}

TEST(BackupRules, TheRotationKeepsTheLastSevenDaysAndTheLastFourWeeks) {
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> days;
        std::vector<bool> keep;
    } cases[] = {
        {"a week or less: all", {{3, 30}, {3, 29}, {3, 28}}, {true, true, true}},
        {"a machine off for weeks: the seven most recent days that have one",
         {{4, 20}, {4, 1}, {3, 20}, {3, 10}, {3, 3}, {3, 2}, {3, 1}, {2, 28}, {2, 27}},
         {true, true, true, true, true, true, true, false, false}},
        {"within one week only the newest outlives the seven days",
         {{3, 31}, {3, 30}, {3, 29}, {3, 28}, {3, 27}, {3, 26}, {3, 25}, {3, 23}, {3, 22}, {3, 16}, {3, 9}, {3, 2}, {2, 23}},
         {true, true, true, true, true, true, true, true, false, true, false, false, false}},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupsToKeep(MadeOn(c.days)), c.keep) << c.what;

    // Forty days in a row, ending on Sunday 20 April 2025: the seven days
    // (14 to 20 April, one week), then the newest of each of the three
    // weeks before it (13, 6 April and 30 March); nothing older.
    std::vector<std::pair<int, int>> forty;
    for (int day = 20; day >= 1; --day) forty.push_back({4, day});
    for (int day = 31; day >= 12; --day) forty.push_back({3, day});
    const std::vector<bool> keep = BackupsToKeep(MadeOn(forty));
    std::vector<std::pair<int, int>> kept;
    for (std::size_t i = 0; i < forty.size(); ++i) {
        if (keep[i]) kept.push_back(forty[i]);
    }
    EXPECT_EQ(kept, (std::vector<std::pair<int, int>>{{4, 20}, {4, 19}, {4, 18}, {4, 17}, {4, 16}, {4, 15}, {4, 14},
                                                      {4, 13}, {4, 6}, {3, 30}}));
}

TEST(BackupRules, ABackupBeforeARestoreIsKeptWithItsDay) {
    const std::vector<BackupName> names = {{{2025, 3, 30, 15, 0}, true, 1}, {{2025, 3, 30, 9, 0}, false, 1}};
    EXPECT_EQ(BackupsToKeep(names), (std::vector<bool>{true, true}));
}

}  // namespace

#include "storage/core/data_folder_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DataFolderRules, PointerTextNamesTheFolderOnItsFirstLine) {
    const struct {
        std::u16string text;
        std::u16string folder;
    } cases[] = {
        {u"D:\\Sync\\Notes", u"D:\\Sync\\Notes"},
        {u"D:\\Sync\\Notes\r\n", u"D:\\Sync\\Notes"},
        {u"\xFEFF  D:\\Sync\\Notes\\\\ \t\r\nsecond line", u"D:\\Sync\\Notes"},
        {u"D:\\Notes \\ ", u"D:\\Notes"},
        {u"E:\\", u"E:\\"},  // a drive's root keeps its separator
        {u"E:\\ \\", u"E:\\"},
        {u"E:/", u"E:/"},
        {u"\\\\server\\share\\Notes\\", u"\\\\server\\share\\Notes"},
        {u"C:\\Données\\Écrits", u"C:\\Données\\Écrits"},
        {u"", u""},
        {u" \r\nD:\\Notes", u""},  // the first line names nothing
    };
    for (const auto& c : cases) EXPECT_EQ(FolderFromPointerText(c.text), c.folder) << c.text.size();
}

TEST(DataFolderRules, OnlyFullPathsNameAFolder) {
    for (const char16_t* full : {u"D:\\Notes", u"d:/Notes", u"E:\\", u"\\\\server\\share"}) {
        EXPECT_TRUE(IsFullFolderPath(full)) << std::u16string(full).size();
    }
    for (const char16_t* relative : {u"Notes", u"D:Notes", u"\\Notes", u"\\\\", u"\\\\\\x", u"1:\\x", u""}) {
        EXPECT_FALSE(IsFullFolderPath(relative)) << std::u16string(relative).size();
    }
}

TEST(DataFolderRules, TheNotesTakeTheirFilesTheCategoriesAndTranslationsButNotTheMachinesFiles) {
    for (const char16_t* moved : {u"categories.txt", u"Categories.TXT", u"notes\\note_00000000000000A1.txt",
                                  u"notes\\note_00000000000000A1.txt.original", u"notes\\readme.txt",
                                  u"lang\\lang_de.txt", u"LANG\\lang_fr.txt",
                                  u"corbeille\\note_00000000000000A2_20250330-1405.txt"}) {
        EXPECT_TRUE(BelongsWithTheNotes(moved)) << std::u16string(moved).size();
    }
    for (const char16_t* kept : {u"dossier.txt", u"langue.txt", u"shortcuts.txt", u"son.txt", u"categories.txt.tmp",
                                 u"notes\\note_00000000000000A1.txt.tmp", u"notes\\old\\note_1.txt", u"notes\\",
                                 u"other\\x.txt", u"x.txt", u""}) {
        EXPECT_FALSE(BelongsWithTheNotes(kept)) << std::u16string(kept).size();
    }
}

}  // namespace

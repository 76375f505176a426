// Files another program holds open while Quillboard starts: nothing the user
// filed or wrote may be lost because of it.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"

namespace {

constexpr char kCategories[] = "NEXTID|3\r\nCAT|1|FF0000|Travail\r\nSUB|1|2|Urgent\r\n";
constexpr char kFiledNote[] =
    "X=400\r\nY=300\r\nW=240\r\nH=200\r\nCOLOR=#FF0000\r\nCAT=1\r\nSUBCAT=2\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\n"
    "TYPE=0\r\n---\r\nrapport";

}  // namespace

TEST(LockedFiles, CategoriesHeldOpenAtStartLeaveEveryNoteFiledAndTheFileUntouched) {
    DataFolder data;
    data.WriteNote(1, kFiledNote);  // makes the folders
    WriteRawFile(data.DataPath(u"categories.txt"), kCategories);
    HeldFile held(data.DataPath(u"categories.txt"));
    ASSERT_TRUE(held.Held());

    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 1));
    held.Release();
    program.QuitThroughTray();

    // Quitting saved the note with its category, and nothing rewrote the
    // categories from the empty store the locked file left.
    EXPECT_EQ(ReadRawFile(data.NotePath(1)), kFiledNote);
    EXPECT_EQ(ReadRawFile(data.DataPath(u"categories.txt")), kCategories);
}

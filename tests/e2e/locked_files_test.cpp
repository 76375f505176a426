// Files another program holds open while Quillboard starts: nothing the user
// filed or wrote may be lost because of it.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/quillboard_process.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr char kCategories[] = "NEXTID|3\r\nCAT|1|FF0000|Travail\r\nSUB|1|2|Urgent\r\n";
constexpr char kFiledNote[] =
    "X=400\r\nY=300\r\nW=240\r\nH=200\r\nCOLOR=#FF0000\r\nCAT=1\r\nSUBCAT=2\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\n"
    "TYPE=0\r\n---\r\nrapport";

}  // namespace

TEST(LockedFiles, CategoriesHeldOpenAtStartLeaveEveryNoteFiledAndTheFileUntouched) {
    DataFolder data;
    data.WriteNote(1, kFiledNote);  // makes the folders
    WriteRawFile(data.DataPath(u"categories.txt"), kCategories);
    UniqueHandle held(CreateFileW(Wide(data.DataPath(u"categories.txt")), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());

    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 1));
    held.Reset();
    program.QuitThroughTray();

    // Quitting saved the note with its category, and nothing rewrote the
    // categories from the empty store the locked file left.
    EXPECT_EQ(ReadRawFile(data.NotePath(1)), kFiledNote);
    EXPECT_EQ(ReadRawFile(data.DataPath(u"categories.txt")), kCategories);
}

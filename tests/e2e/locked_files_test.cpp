// Files another program holds open while Quillboard starts: nothing the user
// filed or wrote may be lost because of it.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"

TEST(LockedFiles, CategoriesHeldOpenAtStartLeaveEveryNoteFiledAndTheFileUntouched) {
    const std::string categories = "NEXTID|3\r\nCAT|1|FF0000|Travail\r\nSUB|1|2|Urgent\r\n";
    const std::string filedNote =
        NoteFileText({.x = 400, .y = 300, .colour = "FF0000", .category = 1, .subcategory = 2, .body = "rapport"});
    DataFolder data;
    data.WriteNote(1, filedNote);
    data.Write(u"categories.txt", categories);
    HeldFile held(data.DataPath(u"categories.txt"));
    ASSERT_TRUE(held.Held());

    QuillboardProcess program(data.AppData());
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 1));
    held.Release();
    program.QuitThroughTray();

    // Quitting saved the note with its category, and nothing rewrote the
    // categories from the empty store the locked file left.
    EXPECT_EQ(data.ReadNote(1), filedNote);
    EXPECT_EQ(data.Read(u"categories.txt"), categories);
}

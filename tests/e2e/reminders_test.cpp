// Reminders against the real program.
#include <gtest/gtest.h>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"

TEST(Reminders, AnEntryThatFellDueWhileTheProgramWasNotRunningIsAnnouncedAtStart) {
    NoteFileLines note{.x = 1100, .y = 300, .type = 1,
                       .entries = {"1|202001011200|0|0|0|appeler la banque", "2|209901011200|0|0|0|plus tard"}};
    DataFolder data;
    data.WriteNote(0xB1, NoteFileText(note));
    QuillboardProcess program(data.AppData());
    ASSERT_NE(program.WaitForWindow(kToastClass), nullptr);
    EXPECT_EQ(program.Windows(kToastClass).size(), 1u);
    program.QuitThroughTray();

    // Announced once: the flag is in the file, so it does not fire again.
    note.entries[0] = "1|202001011200|0|1|0|appeler la banque";
    EXPECT_EQ(data.ReadNote(0xB1), NoteFileText(note));
}

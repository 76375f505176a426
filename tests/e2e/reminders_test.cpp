// Reminders against the real program.
#include <gtest/gtest.h>

#include <string>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"

namespace {

TEST(Reminders, AnEntryThatFellDueWhileTheProgramWasNotRunningIsAnnouncedAtStart) {
    DataFolder data;
    data.WriteNote(0xB1,
                   "X=1100\r\nY=300\r\nW=240\r\nH=200\r\nTYPE=1\r\nENTRY|1|202001011200|0|0|0|appeler la banque\r\n"
                   "ENTRY|2|209901011200|0|0|0|plus tard\r\n---\r\n");
    QuillboardProcess program(data.AppData());
    ASSERT_NE(program.WaitForWindow(kToastClass), nullptr);
    EXPECT_EQ(program.Windows(kToastClass).size(), 1u);
    program.QuitThroughTray();

    // Announced once: the flag is in the file, so it does not fire again.
    const std::string file = data.ReadNote(0xB1);
    EXPECT_NE(file.find("ENTRY|1|202001011200|0|1|0|appeler la banque\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ENTRY|2|209901011200|0|0|0|plus tard\r\n"), std::string::npos) << file;
}

}  // namespace

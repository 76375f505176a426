// Reminders against the real program.
#include <gtest/gtest.h>

#include <string>

#include "e2e_steps.h"
#include "quillboard_process.h"

namespace {

TEST(Reminders, AnEntryThatFellDueWhileTheProgramWasNotRunningIsAnnouncedAtStart) {
    PreparedAppData data;
    data.WriteNote(u"00000000000000B1",
                   "X=1100\r\nY=300\r\nW=240\r\nH=200\r\nTYPE=1\r\nENTRY|1|202001011200|0|0|0|appeler la banque\r\n"
                   "ENTRY|2|209901011200|0|0|0|plus tard\r\n---\r\n");
    QuillboardProcess program(data.AppData());
    ASSERT_NE(program.WaitForWindow(L"QuillboardToast"), nullptr);
    EXPECT_EQ(program.Windows(L"QuillboardToast").size(), 1u);
    QuitThroughTray(program);

    // Announced once: the flag is in the file, so it does not fire again.
    const std::string file = ReadRawFile(data.NotePath(u"00000000000000B1"));
    EXPECT_NE(file.find("ENTRY|1|202001011200|0|1|0|appeler la banque\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ENTRY|2|209901011200|0|0|0|plus tard\r\n"), std::string::npos) << file;
}

}  // namespace

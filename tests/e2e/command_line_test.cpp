// The command line for launchers and scripts, from outside: /new with and
// without a running copy, /export with and without one, and arguments that
// are refused with exit code 2 and nothing written. The messages go to the
// console of the test program, which the program attaches to.
#include <gtest/gtest.h>

#include <string>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr char kCategories[] = "NEXTID|3\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Réunions\r\n";

// Runs the program with the arguments until it ends; its exit code, or -1
// when it did not end in time.
int RunToTheEnd(const DataFolder& data, const std::wstring& arguments) {
    QuillboardProcess program(data.AppData(), L"Quillboard.exe", arguments);
    DWORD exitCode = 0;
    if (!program.WaitForExit(&exitCode)) return -1;
    return static_cast<int>(exitCode);
}

std::wstring Quoted(const std::u16string& path) {
    return L"\"" + std::wstring(Wide(path)) + L"\"";
}

// The one note file of the folder's notes, or empty.
std::string OnlyNoteFile(const DataFolder& data) {
    const std::vector<std::u16string> files = FilesIn(data.DataPath(u"notes"), L"note_*.txt");
    if (files.size() != 1) return {};
    return ReadRawFile(data.DataPath(u"notes\\" + files.front()));
}

// The tail of a note file: what follows the header.
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(CommandLine, NewWithoutARunningCopyStartsTheProgramWithTheNoteFiledAndSaved) {
    DataFolder data;
    data.Write(u"categories.txt", kCategories);
    QuillboardProcess program(data.AppData(), L"Quillboard.exe",
                              L"/new \"Appeler Marc\" /CATEGORY \"travail > reunions\"");
    ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, 1));
    WaitUntilIdle(program.WaitForWindow(kTrayClass));
    const std::string saved = OnlyNoteFile(data);
    EXPECT_NE(saved.find("CAT=1\r\nSUBCAT=2\r\n"), std::string::npos) << saved;
    EXPECT_TRUE(EndsWith(saved, "---\r\nAppeler Marc")) << saved;
    program.QuitThroughTray();
}

TEST(CommandLine, NewWithARunningCopyHandsTheTextOverAndTheSecondCopyEndsAtOnce) {
    DataFolder data;
    data.Write(u"categories.txt", kCategories);
    QuillboardProcess running(data.AppData());
    HWND tray = running.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    EXPECT_EQ(RunToTheEnd(data, L"/new \"Acheter du pain\net du lait\""), 0);
    ASSERT_TRUE(running.WaitForWindowCount(kNoteClass, 1));
    WaitUntilIdle(tray);
    EXPECT_TRUE(EndsWith(OnlyNoteFile(data), "---\r\nAcheter du pain\r\net du lait"));

    // A category that does not exist: refused, and no note is made.
    EXPECT_EQ(RunToTheEnd(data, L"/new \"Autre\" /category Inconnue"), 2);
    WaitUntilIdle(tray);
    EXPECT_EQ(running.Windows(kNoteClass).size(), 1u);
    running.QuitThroughTray();
}

TEST(CommandLine, ExportWritesEveryNoteByCategoryWithOrWithoutARunningCopyAndChangesNothing) {
    DataFolder data;
    data.Write(u"categories.txt", kCategories);
    data.Write(u"langue.txt", "fr");
    const std::string filed = NoteFileText({.colour = "FFCC66", .category = 1, .body = "Appeler Marc\r\n06 12 34"});
    const std::string scheduled =
        NoteFileText({.type = 1, .entries = {"1|202503140930|0|0|0|Préparer l'ordre du jour",
                                             "2|202503100000|1|1|20250310|Envoyer le compte rendu"}});
    data.WriteNote(0xA1, filed);
    data.WriteNote(0xA2, scheduled);
    const std::u16string file = data.AppData() + u"\\export.md";
    const std::string expected =
        "# Travail\r\n\r\nAppeler Marc  \r\n06 12 34\r\n\r\n# Non catégorisé\r\n\r\n"
        "- [x] Envoyer le compte rendu (2025-03-10)\r\n- [ ] Préparer l'ordre du jour (2025-03-14 09:30)\r\n";

    EXPECT_EQ(RunToTheEnd(data, L"/export " + Quoted(file)), 0);
    EXPECT_EQ(ReadRawFile(file), expected);
    EXPECT_EQ(data.ReadNote(0xA1), filed);
    EXPECT_EQ(data.ReadNote(0xA2), scheduled);
    EXPECT_EQ(FilesIn(data.DataPath(), L"*").size(), 2u);  // the categories and the language: nothing added

    // The running copy may save its notes meanwhile (the past entries
    // announced): the export reads what it saved.
    QuillboardProcess running(data.AppData());
    HWND tray = running.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    WaitUntilIdle(tray);
    ASSERT_TRUE(DeleteFileW(Wide(file)));
    EXPECT_EQ(RunToTheEnd(data, L"-EXPORT " + Quoted(file)), 0);
    EXPECT_EQ(ReadRawFile(file), expected);
    running.QuitThroughTray();
}

TEST(CommandLine, BadArgumentsEndWithCodeTwoAndWriteNothing) {
    DataFolder data;
    const std::u16string inside = data.DataPath(u"export.md");
    const std::u16string outside = data.AppData() + u"\\export.md";
    const std::wstring cases[] = {
        L"/new",
        L"/new \"   \"",
        L"/nouveau texte",
        L"texte",
        L"/export",
        L"/new texte /export " + Quoted(outside),
        L"/category Travail",
        L"/new texte /new autre",
        L"/new texte /category Inconnue",
        L"/export " + Quoted(inside),
        L"/export " + Quoted(data.AppData()),
    };
    for (const std::wstring& arguments : cases) {
        SCOPED_TRACE(testing::Message() << std::string(arguments.begin(), arguments.end()));
        EXPECT_EQ(RunToTheEnd(data, arguments), 2);
        EXPECT_FALSE(FileExists(data.DataPath(u"notes")));
        EXPECT_FALSE(FileExists(outside));
        EXPECT_FALSE(FileExists(inside));
    }
}

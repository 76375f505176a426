// The program with its notes in a folder of the user's choice, named by the
// pointer file in its own folder.
#include <gtest/gtest.h>

#include <string>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/window_checks.h"

namespace {

std::string Utf8(const std::u16string& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes.data(), length, nullptr, nullptr);
    bytes.pop_back();  // the terminating NUL
    return bytes;
}

}  // namespace

TEST(DataFolder, TheNotesOfTheFolderThePointerNamesShowAndSaveThere) {
    DataFolder data;
    const TemporaryFolder synced;
    const std::u16string folder = synced.Path() + u"\\Notes partagées";
    CreateDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()), nullptr);
    const std::u16string noteFile = folder + u"\\notes\\note_0000000000000001.txt";
    CreateDirectoryW(reinterpret_cast<const wchar_t*>((folder + u"\\notes").c_str()), nullptr);
    WriteRawFile(noteFile, NoteFileText({.x = 1100, .y = 300, .body = "shared"}));
    data.Write(u"dossier.txt", Utf8(folder));
    data.Write(u"langue.txt", "en");

    QuillboardProcess program(data.AppData());
    HWND note = program.WaitForWindow(kNoteClass);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(NoteText(note), u"shared");
    SendMessageW(GetDlgItem(note, kNoteEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed here"));
    program.QuitThroughTray();

    EXPECT_EQ(ReadRawFile(noteFile), NoteFileText({.x = 1100, .y = 300, .body = "changed here"}));
    EXPECT_TRUE(FileExists(folder + u"\\lang\\lang_en.txt"));
    // The machine's folder keeps the machine's files, and no note.
    EXPECT_FALSE(FileExists(data.DataPath(u"notes")));
    EXPECT_FALSE(FileExists(data.DataPath(u"lang")));
    EXPECT_EQ(data.Read(u"langue.txt"), "en");
    EXPECT_EQ(data.Read(u"dossier.txt"), Utf8(folder));
}

// The hot key that makes a note from the clipboard's text, run as the tray
// window runs it.
#include <cstring>
#include <string>
#include <vector>

#include "app/program_commands.h"
#include "support/program_names.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/handles.h"

namespace {

// Puts the text on the clipboard, or empties it when there is none.
bool PutOnClipboard(const std::u16string* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool put = true;
    if (text) {
        const std::size_t bytes = (text->size() + 1) * sizeof(char16_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        put = memory != nullptr;
        if (put) {
            std::memcpy(GlobalLock(memory), text->c_str(), bytes);
            GlobalUnlock(memory);
            put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
    }
    CloseClipboard();
    return put;
}

using ClipboardNote = DataFolderTest;

}  // namespace

TEST_F(ClipboardNote, TheClipboardsTextBecomesASavedNoteAndNoTextMakesNoNote) {
    const std::u16string lines = u"Code du portail 4512\nà changer";
    ASSERT_TRUE(PutOnClipboard(&lines));
    RunProgramCommand(nullptr, CommandId::NoteFromClipboard, true);
    const std::vector<HWND> notes = WindowsOfClass(kNoteClass);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(notes.front()));
    EXPECT_EQ(NoteText(notes.front()), u"Code du portail 4512\r\nà changer");
    EXPECT_EQ(SavedFile(notes.front()).substr(SavedFile(notes.front()).find("---")),
              "---\r\nCode du portail 4512\r\n\xC3\xA0 changer");

    // An empty clipboard, and one holding only white space.
    const std::u16string blank = u" \r\n ";
    for (const std::u16string* text : {static_cast<const std::u16string*>(nullptr), &blank}) {
        ASSERT_TRUE(PutOnClipboard(text));
        RunProgramCommand(nullptr, CommandId::NoteFromClipboard, true);
        EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 1u);
    }
}

// Loading stored notes into real windows at start-up.
#include "notes/note_loading.h"
#include "notes/note_window_state.h"
#include "support/program_names.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "win/wide.h"

namespace {

class NoteLoad : public DataFolderTest {
protected:
    void Store(const std::u16string& name, const std::string& text) { Data().Write(u"notes\\" + name, text); }
    std::string Stored(const std::u16string& name) { return Data().Read(u"notes\\" + name); }
};

}  // namespace

TEST_F(NoteLoad, StoredNoteComesBackWithItsPlaceColourAndText) {
    Store(u"note_00000000000000AB.txt",
          "X=300\r\nY=250\r\nW=260\r\nH=210\r\nCOLOR=#FF0000\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
          "LASTDOCK=0\r\nTYPE=0\r\n---\r\nfirst\r\nsecond");
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);

    EXPECT_EQ(WindowRect(note), (Rect{300, 250, 560, 460}));
    EXPECT_TRUE(IsWindowVisible(note));
    EXPECT_NE(GetWindowLongPtrW(note, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(note, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_FALSE(IsTopmost(note));
    const Note* record = NoteFromWindow(note);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->id, 0xABu);
    EXPECT_EQ(record->colour, 0x000000FFu);
    EXPECT_EQ(NoteText(note), u"first\r\nsecond");
    EXPECT_TRUE(NoteEditShown(note));
    EXPECT_NE(GetForegroundWindow(), note);  // shown without taking the focus
}

TEST_F(NoteLoad, PinnedNoteIsTopmostAndPlaceholderHidesTheEdit) {
    Store(u"note_0000000000000001.txt", "PIN=1\r\nTYPE=2\r\n---\r\nkept text");
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(IsTopmost(note));
    EXPECT_FALSE(NoteEditShown(note));
    EXPECT_EQ(NoteText(note), u"kept text");  // the text stays in the hidden edit
}

// Empty, garbage and marked files load as notes all the same: what a file
// does not say is as a new note has it, and its bytes are read as UTF-8.
TEST_F(NoteLoad, AnyBytesLoadAsANote) {
    Store(u"note_0000000000000001.txt", "");
    Store(u"note_0000000000000002.txt", std::string("\xFF\xFE\0garbage\r\r\n\x01", 13));
    Store(u"note_0000000000000003.txt", "\xEF\xBB\xBFX=30\r\n---\r\ncaf\xC3\xA9 \xFF!");
    LoadAllNotes(GetModuleHandleW(nullptr));
    const auto notes = WindowsOfClass(kNoteClass);
    ASSERT_EQ(notes.size(), 3u);
    for (HWND note : notes) {
        SCOPED_TRACE(NoteFromWindow(note)->id);
        if (NoteFromWindow(note)->id == 3) {
            EXPECT_EQ(WindowRect(note).left, 30);  // the first key is read despite the mark
            EXPECT_EQ(NoteText(note), u"café \xFFFD!");
            continue;
        }
        EXPECT_EQ(WindowRect(note), (Rect{120, 120, 360, 320}));
        EXPECT_EQ(NoteFromWindow(note)->colour, kDefaultNoteColour);
    }
}

// A file the program did not name is not one of its notes: it is not shown,
// so no save can ever overwrite it or delete it. Nor is a note file that
// cannot be read: it would load as an empty note, and an empty note deletes
// its file on the next save.
TEST_F(NoteLoad, FilesNotNamedByTheProgramOrUnreadableAreNeitherShownNorTouched) {
    const std::string blank = "X=1\r\n---\r\n";
    Store(u"note_zz.txt", blank);
    Store(u"note_00000000000000AB - Copy.txt", blank);
    Store(u"note_0000000000000042.txt", "X=1\r\n---\r\nprecious");
    HeldFile exclusive(DataPath(u"notes\\note_0000000000000042.txt"));
    ASSERT_TRUE(exclusive.Held());
    LoadAllNotes(GetModuleHandleW(nullptr));
    exclusive.Release();

    EXPECT_TRUE(WindowsOfClass(kNoteClass).empty());
    EXPECT_EQ(Stored(u"note_zz.txt"), blank);
    EXPECT_EQ(Stored(u"note_00000000000000AB - Copy.txt"), blank);
    EXPECT_FALSE(FileExists(DataPath(u"notes\\note_0000000000000000.txt")));
    EXPECT_EQ(Stored(u"note_0000000000000042.txt"), "X=1\r\n---\r\nprecious");
}

TEST_F(NoteLoad, LongNoteLoadsWholeAndStillAcceptsTyping) {
    std::string body;
    for (int line = 0; line < 2500; ++line) body += "a line of sixteen\r\n";  // 47500 characters
    Store(u"note_0000000000000001.txt", "X=10\r\n---\r\n" + body);
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(NoteEditOf(note)), static_cast<int>(body.size()));
    EXPECT_GT(SendMessageW(NoteEditOf(note), EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(body.size()));
}

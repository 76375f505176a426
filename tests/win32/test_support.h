// Fixture of the in-process Win32 tests: a private data folder that APPDATA
// points at, removed afterwards with every window of ours the test left.
#pragma once

#include <gtest/gtest.h>

#include "storage/note_record.h"
#include "support/windows_test_support.h"

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program's data folder inside the private APPDATA, or a path in it.
    std::u16string DataPath(const std::u16string& relative = u"") const;

private:
    TemporaryFolder folder_;
    std::u16string savedAppData_;
    bool hadAppData_ = false;
};

// Top-level windows of this process with the given class name.
std::vector<HWND> WindowsOfClass(const wchar_t* className);

// Destroys every top-level window of ours (class "Quillboard...").
void DestroyAllQuillboardWindows();

// Answers the next message box or common dialog ("#32770") this thread
// shows: while it lives, a thread timer looks for one, remembers its text
// and the text of its static control, and posts it the command.
class DialogAnswerer {
public:
    explicit DialogAnswerer(UINT command);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool Answered() const { return answered_; }
    const std::u16string& Caption() const { return caption_; }
    const std::u16string& Message() const { return message_; }
    // The id of the button that was the default when the box appeared.
    int DefaultButton() const { return defaultButton_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void TryAnswer();

    UINT command_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    std::u16string caption_;
    std::u16string message_;
    int defaultButton_ = 0;
};

// A Note file text with the given header lines and body.
std::string NoteFileText(const std::string& header, const std::string& body);

// Creates a note window from its parameters, shows it without activation and
// paints it now.
HWND ShowNewNote(const NoteCreateParams& params);

// The path of a note window's file.
std::u16string NoteFileOf(HWND note);

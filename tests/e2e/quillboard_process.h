// Starts the real Quillboard.exe (it sits beside the test program) with a
// private data folder, and looks at it from outside.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/windows_test_support.h"

class QuillboardProcess {
public:
    // Starts the program (by default Quillboard.exe, beside this test program;
    // a full path starts that file) with APPDATA set to appData in its
    // environment.
    explicit QuillboardProcess(const std::u16string& appData, const std::wstring& program = L"Quillboard.exe",
                               const std::wstring& arguments = L"");
    // A program still running at the end of a test is terminated.
    ~QuillboardProcess();
    QuillboardProcess(const QuillboardProcess&) = delete;
    QuillboardProcess& operator=(const QuillboardProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_; }

    // True when it ended within the timeout; its exit code then in *exitCode.
    bool WaitForExit(DWORD* exitCode, std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));
    bool Running() const;

    std::vector<HWND> Windows(const wchar_t* className) const;
    // The first window of the class, waiting for it to appear; null on timeout.
    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
    // Waits until exactly count windows of the class exist.
    bool WaitForWindowCount(const wchar_t* className, size_t count,
                            std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A data folder prepared for one end-to-end test: APPDATA for the program,
// with helpers to lay out and read the files inside "Quillboard".
class PreparedAppData {
public:
    const std::u16string& AppData() const { return folder_.Path(); }
    std::u16string DataPath(const std::u16string& relative = u"") const;
    std::u16string NotePath(const std::u16string& idHex) const;
    void WriteNote(const std::u16string& idHex, const std::string& bytes) const;

private:
    TemporaryFolder folder_;
};

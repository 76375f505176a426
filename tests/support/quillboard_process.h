// Starts the real Quillboard.exe (it sits beside the test program) with a
// private data folder, looks at it from outside, and ends it as a user would.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

// The LOCALAPPDATA a test's program gets: a "Local" folder inside its
// APPDATA, so that its backups stay in the test's own folder.
std::u16string LocalAppDataIn(const std::u16string& appData);

class QuillboardProcess {
public:
    // Starts the program (by default Quillboard.exe, beside this test program;
    // a full path starts that file) with APPDATA set to appData in its
    // environment, and LOCALAPPDATA to LocalAppDataIn(appData).
    explicit QuillboardProcess(const std::u16string& appData, const std::wstring& program = L"Quillboard.exe",
                               const std::wstring& arguments = L"");
    // A program still running at the end of a test is terminated, unless
    // LeaveRunning was called.
    ~QuillboardProcess();
    QuillboardProcess(const QuillboardProcess&) = delete;
    QuillboardProcess& operator=(const QuillboardProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    // Lets the program run on once this object goes: a driver that starts it
    // in one run and quits it in a later one.
    void LeaveRunning() { leaveRunning_ = true; }
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

    // Chooses "Quitter" through the tray window and expects the program to
    // end with exit code 0, having written its files.
    void QuitThroughTray();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    bool leaveRunning_ = false;
};

// Returns once the thread of the program's window has finished what it was
// doing when the call was made (a sent message waits for its next message
// retrieval). The files of a command are then complete: polling them
// instead would race with the program's own replacing of the file.
void WaitUntilIdle(HWND programWindow);

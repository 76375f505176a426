// Helpers shared by the Win32 and the end-to-end tests: temporary folders,
// raw files, waiting on conditions while pumping messages, finding windows
// and reading them, pressing keys.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win/handles.h"

// A fresh folder under the temporary directory, deleted with its content.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::u16string& Path() const { return path_; }

private:
    std::u16string path_;
};

// Dispatches pending messages of this thread until the condition holds or
// the timeout passes; returns the condition's last value. Never a fixed sleep.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// Dispatches everything that is pending now.
void PumpPending();

// Raw file access, independent of the program's own file procedures. A read
// shares the file for deletion too, so that it never stops the program from
// replacing it.
std::string ReadRawFile(const std::u16string& path);
void WriteRawFile(const std::u16string& path, const std::string& bytes);
bool FileExists(const std::u16string& path);
// Deletes a folder and everything in it.
void DeleteTree(const std::u16string& path);
std::vector<std::u16string> FilesIn(const std::u16string& folder, const wchar_t* pattern = L"*");
// A file in the folder of this test program, where the build puts the
// program and the test helpers beside it.
std::u16string BesideThisProgram(const std::u16string& fileName);

// A file held open for reading by another handle, as a backup, sync or virus
// scanning tool may hold it; by default sharing nothing with other handles.
class HeldFile {
public:
    explicit HeldFile(const std::u16string& path, DWORD sharing = 0);

    bool Held() const { return handle_.Valid(); }
    void Release() { handle_.Reset(); }

private:
    UniqueHandle handle_;
};

// Top-level windows of a process (0: any) with the given class name (null: any).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);
// Only those shown on the screen.
std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className);
// Top-level windows of this process with the given class name (null: any).
std::vector<HWND> WindowsOfClass(const wchar_t* className);

std::u16string ClassNameOf(HWND window);
// The caption of a window (of another process too).
std::u16string WindowTextOf(HWND window);
// The text of a control, asked of the control itself, so that it also
// reads controls of another process.
std::u16string ControlTextOf(HWND control);

// A pixel of a window's client area as it is on the screen now.
COLORREF WindowPixel(HWND window, int x, int y);

// Presses and releases each key in turn, as the keyboard would (SendInput).
void PressKeys(const std::vector<WORD>& keys);
// Holds the keys down in order, then lets them go in reverse order, as a
// shortcut such as Ctrl+Alt+N is typed.
void PressCombination(const std::vector<WORD>& keys);

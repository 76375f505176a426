#include "support/quillboard_process.h"

#include <gtest/gtest.h>

#include <cwctype>

#include "support/program_names.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr UINT kIdleTimeoutMs = 5000;

// A bare file name is looked for beside this test program; a path with a
// folder is taken as it is.
std::wstring ProgramPath(const std::wstring& program) {
    if (program.find(L'\\') != std::wstring::npos) return program;
    return Wide(BesideThisProgram(FromWide(program.c_str())));
}

bool IsEntryOf(const wchar_t* entry, const wchar_t* key) {
    for (; *key; ++key, ++entry) {
        if (std::towupper(*entry) != *key) return false;
    }
    return true;
}

// This process's environment with APPDATA replaced, and LOCALAPPDATA (where
// the backups go) inside it, as a Unicode block.
std::wstring EnvironmentWithAppData(const std::u16string& appData) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        if (IsEntryOf(entry, L"APPDATA=") || IsEntryOf(entry, L"LOCALAPPDATA=")) continue;
        block += entry;
        block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    block += L"APPDATA=";
    block += Wide(appData);
    block.push_back(L'\0');
    block += L"LOCALAPPDATA=";
    block += Wide(LocalAppDataIn(appData));
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

std::u16string LocalAppDataIn(const std::u16string& appData) {
    return appData + u"\\Local";
}

QuillboardProcess::QuillboardProcess(const std::u16string& appData, const std::wstring& program,
                                     const std::wstring& arguments) {
    std::wstring environment = EnvironmentWithAppData(appData);
    std::wstring commandLine = L"\"" + ProgramPath(program) + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, kStartTimeoutMs);
}

QuillboardProcess::~QuillboardProcess() {
    if (!process_) return;
    if (Running() && !leaveRunning_) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kStartTimeoutMs);
    }
    CloseHandle(process_);
}

bool QuillboardProcess::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool QuillboardProcess::WaitForExit(DWORD* exitCode, std::chrono::milliseconds timeout) {
    if (!process_) return false;
    const bool ended = PumpUntil([&] { return !Running(); }, timeout);
    if (ended && exitCode) GetExitCodeProcess(process_, exitCode);
    return ended;
}

std::vector<HWND> QuillboardProcess::Windows(const wchar_t* className) const {
    return TopLevelWindows(processId_, className);
}

HWND QuillboardProcess::WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            const auto windows = Windows(className);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

bool QuillboardProcess::WaitForWindowCount(const wchar_t* className, size_t count,
                                           std::chrono::milliseconds timeout) const {
    return PumpUntil([&] { return Windows(className).size() == count; }, timeout);
}

void QuillboardProcess::QuitThroughTray() {
    HWND tray = WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

void WaitUntilIdle(HWND programWindow) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(programWindow, WM_NULL, 0, 0, SMTO_NORMAL, kIdleTimeoutMs, &result);
}

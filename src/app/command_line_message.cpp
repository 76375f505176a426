#include "app/command_line_message.h"

#include <windows.h>

#include "storage/text_files.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

// The error output the script redirected to a file or a pipe, as UTF-8.
bool WriteToRedirectedErrors(const std::u16string& text) {
    HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
    if (errors == nullptr || errors == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(errors);
    if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE) return false;
    std::u16string line = text;
    line += u"\r\n";
    const Bytes bytes = EncodeUtf8(line);
    DWORD written = 0;
    return WriteFile(errors, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

// The console of the program that started this one, when it has one.
bool WriteToParentConsole(const std::u16string& text) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    const UniqueHandle console(CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    bool written = false;
    if (console) {
        // The prompt may already be back: start on a line of our own.
        std::u16string lines = u"\r\n";
        lines += text;
        lines += u"\r\n";
        DWORD count = 0;
        written = WriteConsoleW(console.Get(), Wide(lines), static_cast<DWORD>(lines.size()), &count, nullptr) != FALSE;
    }
    FreeConsole();
    return written;
}

}  // namespace

void TellCommandLineUser(const std::u16string& text) {
    if (WriteToRedirectedErrors(text) || WriteToParentConsole(text)) return;
    MessageBoxW(nullptr, Wide(text), L"Quillboard", MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
}

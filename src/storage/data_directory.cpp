#include "storage/data_directory.h"

#include <windows.h>

#include "win/wide.h"

namespace {

constexpr DWORD kEnvironmentBufferLength = 260;

std::u16string DataBase() {
    wchar_t buffer[kEnvironmentBufferLength] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, kEnvironmentBufferLength);
    // 0: unset. kEnvironmentBufferLength or more: the size it would need.
    if (length == 0 || length >= kEnvironmentBufferLength) return u".";
    return FromWide(buffer, length);
}

void EnsureFolder(const std::u16string& path) {
    CreateDirectoryW(Wide(path), nullptr);  // "already exists" is fine
}

}  // namespace

std::u16string DataDirectory() {
    std::u16string path = DataBase() + u"\\Quillboard";
    EnsureFolder(path);
    return path;
}

std::u16string DataFilePath(const std::u16string& name) {
    return DataDirectory() + u"\\" + name;
}

std::u16string NotesDirectory() {
    std::u16string path = DataDirectory() + u"\\notes";
    EnsureFolder(path);
    return path;
}

std::u16string LanguageFilePath(const std::u16string& code) {
    const std::u16string folder = DataFilePath(u"lang");
    EnsureFolder(folder);
    return folder + u"\\lang_" + code + u".txt";
}

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

}  // namespace

std::u16string DataDirectory() {
    return DataBase() + u"\\Quillboard";
}

std::u16string DataFilePath(const std::u16string& name) {
    return DataDirectory() + u"\\" + name;
}

std::u16string NotesDirectory() {
    return DataFilePath(u"notes");
}

void EnsureDataFolders() {
    for (const std::u16string& folder : {DataDirectory(), NotesDirectory(), DataFilePath(u"lang")}) {
        CreateDirectoryW(Wide(folder), nullptr);  // "already exists" is fine
    }
}

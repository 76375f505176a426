#include "storage/data_directory.h"

#include <windows.h>

#include "storage/storage_state.h"
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

// A drive's root ("E:\", a USB stick) already ends with its separator.
std::u16string InFolder(const std::u16string& folder, const std::u16string& name) {
    const bool endsWithSeparator = !folder.empty() && (folder.back() == u'\\' || folder.back() == u'/');
    return folder + (endsWithSeparator ? u"" : u"\\") + name;
}

}  // namespace

std::u16string MachineDirectory() {
    return DataBase() + u"\\Quillboard";
}

std::u16string MachineFilePath(const std::u16string& name) {
    return MachineDirectory() + u"\\" + name;
}

std::u16string DataDirectory() {
    const std::u16string& chosen = CurrentStorageState().dataFolder;
    return chosen.empty() ? MachineDirectory() : chosen;
}

std::u16string DataFilePath(const std::u16string& name) {
    return InFolder(DataDirectory(), name);
}

std::u16string NotesDirectory() {
    return DataFilePath(u"notes");
}

void EnsureDataFolders() {
    const std::u16string folders[] = {MachineDirectory(), DataDirectory(), NotesDirectory(), DataFilePath(u"lang")};
    for (const std::u16string& folder : folders) {
        CreateDirectoryW(Wide(folder), nullptr);  // "already exists" is fine
    }
}

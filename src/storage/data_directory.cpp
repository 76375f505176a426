#include "storage/data_directory.h"

#include <windows.h>

#include "storage/storage_state.h"
#include "win/wide.h"

namespace {

constexpr DWORD kEnvironmentBufferLength = 260;

// Empty when the variable is unset or too long.
std::u16string EnvironmentFolder(const wchar_t* name) {
    wchar_t buffer[kEnvironmentBufferLength] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, kEnvironmentBufferLength);
    // 0: unset. kEnvironmentBufferLength or more: the size it would need.
    if (length == 0 || length >= kEnvironmentBufferLength) return {};
    return FromWide(buffer, length);
}

std::u16string DataBase() {
    const std::u16string appData = EnvironmentFolder(L"APPDATA");
    return appData.empty() ? u"." : appData;
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

std::u16string BinDirectory() {
    return DataFilePath(u"corbeille");
}

std::u16string BackupsDirectory() {
    const std::u16string localAppData = EnvironmentFolder(L"LOCALAPPDATA");
    if (localAppData.empty()) return {};
    return localAppData + u"\\Quillboard\\sauvegardes";
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

#include "storage/data_folder_choice.h"

#include <windows.h>

#include "storage/core/data_folder_rules.h"
#include "storage/data_directory.h"
#include "storage/storage_state.h"
#include "storage/text_files.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

// A full path is far shorter; a longer file is not one the program wrote.
constexpr std::uint64_t kMaxPointerBytes = 32 * 1024;

std::u16string PointerPath() {
    return MachineFilePath(kDataFolderPointerFile);
}

bool IsSameFolder(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(Wide(a), -1, Wide(b), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

StartFolder ReadDataFolderChoice() {
    UseDataFolder(u"");
    Bytes bytes;
    bool cut = false;
    if (!ReadFileStart(PointerPath(), kMaxPointerBytes, bytes, cut)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        return {StartFolderState::PointerUnreadable, PointerPath()};
    }
    const std::u16string folder = FolderFromPointerText(DecodeUtf8(bytes));
    if (folder.empty()) return {};
    // A relative path names no folder of its own: it is reported as missing,
    // and the notes are looked for nowhere else.
    UseDataFolder(folder);
    const bool reachable = IsFullFolderPath(folder) && IsFolderReachable(folder);
    return {reachable ? StartFolderState::Chosen : StartFolderState::Missing, folder};
}

bool IsFolderReachable(const std::u16string& folder) {
    const DWORD attributes = GetFileAttributesW(Wide(folder));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    const bool endsWithSeparator = folder.back() == u'\\' || folder.back() == u'/';
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(folder + (endsWithSeparator ? u"*" : u"\\*")), &found));
    return search.Valid() || GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty drive lists nothing
}

bool SaveDataFolderChoice(const std::u16string& folder) {
    if (!IsSameFolder(folder, MachineDirectory())) return WriteFileAtomic(PointerPath(), EncodeUtf8(folder));
    if (DeleteFileW(Wide(PointerPath())) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    return false;
}

void UseDataFolder(const std::u16string& folder) {
    CurrentStorageState().dataFolder = folder;
}

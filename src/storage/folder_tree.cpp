#include "storage/folder_tree.h"

#include <windows.h>

#include "win/failure_log.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

bool IsFolder(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsDotEntry(const WIN32_FIND_DATAW& found) {
    return std::wstring_view(found.cFileName) == L"." || std::wstring_view(found.cFileName) == L"..";
}

std::uint64_t Combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Calls visit for every entry of the folder but "." and "..".
template <typename Visit>
bool ForEachEntry(const std::u16string& folder, Visit visit) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(folder + u"\\*"), &found));
    if (!search) return false;
    do {
        if (!IsDotEntry(found)) visit(found);
    } while (FindNextFileW(search.Get(), &found));
    return true;
}

void CollectFiles(const std::u16string& folder, const std::u16string& prefix, std::vector<DataFile>& files) {
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
        const std::u16string name = FromWide(found.cFileName);
        if (IsFolder(found)) {
            CollectFiles(folder + u"\\" + name, prefix + name + u"\\", files);
            return;
        }
        files.push_back(DataFile{prefix + name, Combine(found.nFileSizeHigh, found.nFileSizeLow),
                                 Combine(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime)});
    });
}

}  // namespace

std::vector<DataFile> FilesUnder(const std::u16string& folder) {
    std::vector<DataFile> files;
    CollectFiles(folder, u"", files);
    return files;
}

std::vector<std::u16string> SubfolderNames(const std::u16string& folder) {
    std::vector<std::u16string> names;
    ForEachEntry(folder, [&names](const WIN32_FIND_DATAW& found) {
        if (IsFolder(found)) names.push_back(FromWide(found.cFileName));
    });
    return names;
}

bool RemoveFolderTree(const std::u16string& folder) {
    ForEachEntry(folder, [&folder](const WIN32_FIND_DATAW& found) {
        const std::u16string path = folder + u"\\" + FromWide(found.cFileName);
        if (IsFolder(found)) {
            (void)RemoveFolderTree(path);
        } else if (!DeleteFileW(Wide(path))) {
            RecordFailure(u"cannot remove", path, GetLastError());
        }
    });
    if (RemoveDirectoryW(Wide(folder)) || GetLastError() == ERROR_FILE_NOT_FOUND ||
        GetLastError() == ERROR_PATH_NOT_FOUND) {
        return true;
    }
    RecordFailure(u"cannot remove the folder", folder, GetLastError());
    return false;
}

bool MakeFolderPath(const std::u16string& path) {
    if (CreateDirectoryW(Wide(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    if (GetLastError() != ERROR_PATH_NOT_FOUND) return false;
    const std::size_t separator = path.find_last_of(u"\\/");
    if (separator == std::u16string::npos || separator < 3) return false;
    return MakeFolderPath(path.substr(0, separator)) && CreateDirectoryW(Wide(path), nullptr);
}

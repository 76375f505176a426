#include "support/data_folder.h"

#include <cstdio>

#include "win/wide.h"

namespace {

// Every folder on the way to the file, from the outermost.
void MakeFoldersFor(const std::u16string& path) {
    for (size_t slash = path.find(u'\\', 3); slash != std::u16string::npos; slash = path.find(u'\\', slash + 1)) {
        CreateDirectoryW(Wide(path.substr(0, slash)), nullptr);
    }
}

}  // namespace

std::u16string DataFolder::DataPath(const std::u16string& relative) const {
    std::u16string path = folder_.Path() + u"\\Quillboard";
    if (!relative.empty()) path += u"\\" + relative;
    return path;
}

std::u16string DataFolder::BackupsPath(const std::u16string& relative) const {
    std::u16string path = folder_.Path() + u"\\Local\\Quillboard\\sauvegardes";
    if (!relative.empty()) path += u"\\" + relative;
    return path;
}

std::u16string DataFolder::NotePath(std::uint64_t id) const {
    char name[32] = {};
    std::snprintf(name, sizeof(name), "note_%016llX.txt", static_cast<unsigned long long>(id));
    return DataPath(u"notes\\" + std::u16string(name, name + std::char_traits<char>::length(name)));
}

void DataFolder::Write(const std::u16string& relative, const std::string& bytes) const {
    const std::u16string path = DataPath(relative);
    MakeFoldersFor(path);
    WriteRawFile(path, bytes);
}

void DataFolder::WriteNote(std::uint64_t id, const std::string& bytes) const {
    const std::u16string path = NotePath(id);
    MakeFoldersFor(path);
    WriteRawFile(path, bytes);
}

std::string DataFolder::Read(const std::u16string& relative) const {
    return ReadRawFile(DataPath(relative));
}

std::string DataFolder::ReadNote(std::uint64_t id) const {
    return ReadRawFile(NotePath(id));
}

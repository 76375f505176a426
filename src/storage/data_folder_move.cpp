#include "storage/data_folder_move.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "storage/core/data_folder_rules.h"
#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/data_folder_choice.h"
#include "storage/text_files.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr DWORD kFullPathCharacters = 32768;

struct FileToCopy {
    std::u16string relativePath;  // inside the data folder
    Bytes bytes{};                // the source's, read once
    bool alreadyThere = false;    // the folder chosen holds these very bytes under that name
};

std::u16string Join(const std::u16string& folder, const std::u16string& name) {
    const bool endsWithSeparator = !folder.empty() && folder.back() == u'\\';
    return folder + (endsWithSeparator ? u"" : u"\\") + name;
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Both full paths without a separator at the end; compared as the file
// system does, whatever the case.
bool IsSameOrInside(const std::u16string& path, const std::u16string& folder) {
    if (path.size() < folder.size()) return false;
    const int length = static_cast<int>(folder.size());
    if (CompareStringOrdinal(Wide(path), length, Wide(folder), length, TRUE) != CSTR_EQUAL) return false;
    return path.size() == folder.size() || path[folder.size()] == u'\\' || folder.back() == u'\\';
}

// The names of the files (not the folders) directly in a folder.
std::vector<std::u16string> FileNamesIn(const std::u16string& folder) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(Join(folder, u"*")), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(FromWide(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

// The files that go with the notes, by their path inside the data folder.
std::vector<std::u16string> FilesOfTheNotes(const std::u16string& dataFolder) {
    std::vector<std::u16string> files;
    for (const std::u16string& name : FileNamesIn(dataFolder)) {
        if (BelongsWithTheNotes(name)) files.push_back(name);
    }
    for (std::u16string_view folderName : kFoldersOfTheNotes) {
        const std::u16string folder(folderName);
        for (const std::u16string& name : FileNamesIn(Join(dataFolder, folder))) {
            const std::u16string relativePath = folder + u"\\" + name;
            if (BelongsWithTheNotes(relativePath)) files.push_back(relativePath);
        }
    }
    return files;
}

MoveResult Failure(MoveProblem problem, const std::u16string& file, unsigned long error = 0) {
    return {MoveOutcome::Failed, problem, file, error};
}

MoveResult Success() {
    return {MoveOutcome::Moved};
}

// Reads every file to copy, and refuses a name the folder chosen already
// uses for other bytes: its file is never written over.
MoveResult ReadFilesToCopy(const std::u16string& source, const std::u16string& target,
                           std::vector<FileToCopy>& copies) {
    for (const std::u16string& relativePath : FilesOfTheNotes(source)) {
        FileToCopy copy{relativePath};
        const std::u16string from = Join(source, relativePath);
        if (!TryReadFileBytes(from, copy.bytes)) return Failure(MoveProblem::CannotRead, from, GetLastError());
        const std::u16string to = Join(target, relativePath);
        if (Exists(to)) {
            Bytes there;
            if (IsDirectory(to)) return Failure(MoveProblem::FileClash, to);
            if (!TryReadFileBytes(to, there)) return Failure(MoveProblem::CannotRead, to, GetLastError());
            if (there != copy.bytes) return Failure(MoveProblem::FileClash, to);
            copy.alreadyThere = true;
        }
        copies.push_back(std::move(copy));
    }
    return Success();
}

// What a move wrote into the folder chosen: taken away again, unless the
// move went through, so that a failed move leaves that folder as it was.
class CopiesMade {
public:
    CopiesMade() = default;
    ~CopiesMade() {
        if (!kept_) Undo();
    }
    CopiesMade(const CopiesMade&) = delete;
    CopiesMade& operator=(const CopiesMade&) = delete;

    // A folder that cannot be made is no failure yet: the write into it says why.
    void MakeFolder(const std::u16string& folder) {
        if (CreateDirectoryW(Wide(folder), nullptr)) folders_.push_back(folder);
    }
    // Only for files that were not there.
    [[nodiscard]] bool Write(const std::u16string& path, const Bytes& bytes) {
        files_.push_back(path);
        return WriteFileAtomic(path, bytes);
    }
    void Keep() { kept_ = true; }

private:
    void Undo() {
        for (const std::u16string& file : files_) {
            DeleteFileW(Wide(file));
            DeleteFileW(Wide(file + u".tmp"));
        }
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveDirectoryW(Wide(*folder));
    }

    std::vector<std::u16string> files_;
    std::vector<std::u16string> folders_;
    bool kept_ = false;
};

// Reads every copy back: each must hold exactly its source's bytes.
MoveResult CheckCopies(const std::u16string& target, const std::vector<FileToCopy>& copies) {
    for (const FileToCopy& copy : copies) {
        const std::u16string path = Join(target, copy.relativePath);
        Bytes written;
        if (!TryReadFileBytes(path, written)) return Failure(MoveProblem::CannotRead, path, GetLastError());
        if (written != copy.bytes) return Failure(MoveProblem::CopyDiffers, path);
    }
    return Success();
}

// A copy that would land in the old folder: the folder chosen lies inside
// it, or it lies inside a folder the copy fills ("notes", "lang").
bool FoldersOverlap(const std::u16string& source, const std::u16string& target) {
    if (IsSameOrInside(target, source)) return true;
    for (std::u16string_view folder : kFoldersOfTheNotes) {
        if (IsSameOrInside(source, Join(target, std::u16string(folder)))) return true;
    }
    return false;
}

}  // namespace

std::u16string FullFolderPath(const std::u16string& folder) {
    std::wstring full(kFullPathCharacters, L'\0');
    const DWORD length = GetFullPathNameW(Wide(folder), kFullPathCharacters, full.data(), nullptr);
    if (length == 0 || length >= kFullPathCharacters) return WithoutEndSeparators(folder);
    return WithoutEndSeparators(FromWide(full.c_str()));
}

MoveResult MoveDataFolder(const std::u16string& folder) {
    const std::u16string source = FullFolderPath(DataDirectory());
    const std::u16string target = FullFolderPath(folder);
    if (IsSameOrInside(target, source) && target.size() == source.size()) return {MoveOutcome::SameFolder};
    if (FoldersOverlap(source, target)) return Failure(MoveProblem::Overlaps, target);
    if (!IsFolderReachable(target)) return Failure(MoveProblem::NotAFolder, target);
    if (HoldsNotes(target)) return {MoveOutcome::TargetHoldsNotes};

    std::vector<FileToCopy> copies;
    if (MoveResult read = ReadFilesToCopy(source, target, copies); read.outcome == MoveOutcome::Failed) return read;
    CopiesMade made;
    for (std::u16string_view name : kFoldersOfTheNotes) made.MakeFolder(Join(target, std::u16string(name)));
    for (const FileToCopy& copy : copies) {
        const std::u16string path = Join(target, copy.relativePath);
        if (!copy.alreadyThere && !made.Write(path, copy.bytes)) {
            return Failure(MoveProblem::CannotWrite, path, GetLastError());
        }
    }
    if (MoveResult checked = CheckCopies(target, copies); checked.outcome == MoveOutcome::Failed) return checked;
    if (!SaveDataFolderChoice(target)) {
        return Failure(MoveProblem::PointerNotSaved, MachineFilePath(kDataFolderPointerFile), GetLastError());
    }
    made.Keep();
    UseDataFolder(target);
    return Success();
}

bool HoldsNotes(const std::u16string& folder) {
    const std::vector<std::u16string> names = FileNamesIn(Join(folder, u"notes"));
    const auto isNote = [](const std::u16string& name) { return IsCanonicalNoteFileName(name); };
    return Exists(Join(folder, u"categories.txt")) || std::any_of(names.begin(), names.end(), isNote);
}

bool UseFolderWithItsNotes(const std::u16string& folder) {
    const std::u16string target = FullFolderPath(folder);
    if (!SaveDataFolderChoice(target)) return false;
    UseDataFolder(target);
    return true;
}

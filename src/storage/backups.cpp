#include "storage/backups.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>

#include "storage/data_directory.h"
#include "storage/folder_tree.h"
#include "storage/text_files.h"
#include "win/failure_log.h"
#include "win/wide.h"

namespace {

constexpr int kMaxCopies = 99;

using Clock = std::chrono::steady_clock;

bool IsPartialFile(const DataFile& file) {
    return std::u16string_view(file.path).ends_with(u".tmp");
}

std::optional<Backup> ReadBackup(const std::u16string& folder, const BackupName& name) {
    const std::optional<std::vector<DataFile>> manifest =
        ParseManifest(ReadTextFile(folder + u"\\" + std::u16string(kManifestName)));
    if (!manifest) return std::nullopt;
    std::map<std::u16string, std::uint64_t> found;
    for (const DataFile& file : FilesUnder(folder)) found.emplace(file.path, file.size);
    if (!HoldsEveryFile(*manifest, found)) return std::nullopt;
    return Backup{folder, name, *manifest};
}

// The folder's name for a new backup: the first copy whose name and
// partial name are both free.
std::u16string FreeFolderFor(const std::u16string& root, BackupName name) {
    for (name.copy = 1; name.copy <= kMaxCopies; ++name.copy) {
        const std::u16string folder = root + u"\\" + BackupFolderName(name);
        if (GetFileAttributesW(Wide(folder)) == INVALID_FILE_ATTRIBUTES &&
            GetFileAttributesW(Wide(folder + std::u16string(kPartialBackupSuffix))) == INVALID_FILE_ATTRIBUTES) {
            return folder;
        }
    }
    return {};
}

// The folders the files go into, parents first.
std::set<std::u16string> FoldersOf(const std::vector<DataFile>& files) {
    std::set<std::u16string> folders;
    for (const DataFile& file : files) {
        for (std::size_t slash = file.path.find(u'\\'); slash != std::u16string::npos;
             slash = file.path.find(u'\\', slash + 1)) {
            folders.insert(file.path.substr(0, slash));
        }
    }
    return folders;
}

// Copies one file; a file gone since the listing (a note deleted
// meanwhile) is simply not in the backup. The copy keeps the source's
// last-write time, and the manifest gets the copy's own size and time.
bool CopyOne(BackupJob& job, const DataFile& file) {
    const std::u16string from = job.sourceFolder + u"\\" + file.path;
    const std::u16string to = job.partialFolder + u"\\" + file.path;
    if (!CopyFileW(Wide(from), Wide(to), FALSE)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        RecordFailure(u"cannot copy into a backup", from, error);
        SetLastError(error);
        return false;
    }
    const FileVersion copy = FileVersionOf(to);
    if (!copy.exists) return false;
    job.copied.push_back(DataFile{file.path, copy.size, copy.lastWrite});
    return true;
}

BackupProgress Fail(BackupJob& job) {
    const DWORD error = GetLastError();
    (void)RemoveFolderTree(job.partialFolder);
    SetLastError(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
    return BackupProgress::Failed;
}

bool FinishBackup(const BackupJob& job) {
    const std::u16string manifest = job.partialFolder + u"\\" + std::u16string(kManifestName);
    if (!WriteFileAtomic(manifest, EncodeUtf8(FormatManifest(job.copied)))) return false;
    if (MoveFileExW(Wide(job.partialFolder), Wide(job.finalFolder), MOVEFILE_WRITE_THROUGH)) return true;
    RecordFailure(u"cannot name a backup", job.finalFolder, GetLastError());
    return false;
}

}  // namespace

std::vector<Backup> ListBackups() {
    std::vector<Backup> backups;
    const std::u16string root = BackupsDirectory();
    if (root.empty()) return backups;
    for (const std::u16string& folderName : SubfolderNames(root)) {
        const std::optional<BackupName> name = ParseBackupFolderName(folderName);
        if (!name) continue;
        if (std::optional<Backup> backup = ReadBackup(root + u"\\" + folderName, *name)) {
            backups.push_back(std::move(*backup));
        }
    }
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        return std::tie(b.name.madeAt, b.name.copy, b.name.beforeRestore) <
               std::tie(a.name.madeAt, a.name.copy, a.name.beforeRestore);
    });
    return backups;
}

std::vector<DataFile> CurrentDataFiles() {
    const std::u16string data = DataDirectory() + u"\\";
    std::vector<DataFile> files = FilesUnder(DataDirectory());
    std::erase_if(files, IsPartialFile);
    // Notes kept in a folder that holds the backups too must not back up
    // the backups.
    const std::u16string backups = BackupsDirectory() + u"\\";
    if (backups.size() > data.size() && std::u16string_view(backups).starts_with(data)) {
        const std::u16string inside = backups.substr(data.size());
        std::erase_if(files, [&inside](const DataFile& file) { return file.path.starts_with(inside); });
    }
    return files;
}

bool StartBackup(const BackupName& name, BackupJob& job) {
    const std::u16string root = BackupsDirectory();
    if (root.empty() || !MakeFolderPath(root)) return false;
    job = BackupJob{};
    job.finalFolder = FreeFolderFor(root, name);
    if (job.finalFolder.empty()) return false;
    job.partialFolder = job.finalFolder + std::u16string(kPartialBackupSuffix);
    job.sourceFolder = DataDirectory();
    job.toCopy = CurrentDataFiles();
    if (!CreateDirectoryW(Wide(job.partialFolder), nullptr)) return false;
    for (const std::u16string& folder : FoldersOf(job.toCopy)) {
        if (!CreateDirectoryW(Wide(job.partialFolder + u"\\" + folder), nullptr)) {
            (void)Fail(job);
            return false;
        }
    }
    return true;
}

BackupProgress ContinueBackup(BackupJob& job, std::chrono::milliseconds budget) {
    const Clock::time_point end = Clock::now() + budget;
    while (job.next < job.toCopy.size()) {
        if (!CopyOne(job, job.toCopy[job.next])) return Fail(job);
        ++job.next;
        if (Clock::now() >= end) return BackupProgress::More;
    }
    return FinishBackup(job) ? BackupProgress::Done : Fail(job);
}

bool MakeBackupNow(const BackupName& name) {
    BackupJob job;
    if (!StartBackup(name, job)) return false;
    for (;;) {
        const BackupProgress progress = ContinueBackup(job, std::chrono::milliseconds(1000));
        if (progress != BackupProgress::More) return progress == BackupProgress::Done;
    }
}

bool DataChangedSinceLastBackup(const std::vector<Backup>& backups) {
    return backups.empty() || !SameDataFiles(backups.front().files, CurrentDataFiles());
}

std::vector<Backup> RotateBackups() {
    const std::u16string root = BackupsDirectory();
    if (root.empty()) return {};
    std::vector<Backup> whole = ListBackups();
    std::vector<BackupName> names;
    for (const Backup& backup : whole) names.push_back(backup.name);
    const std::vector<bool> keep = BackupsToKeep(names);
    std::set<std::u16string> kept;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (keep[i]) kept.insert(whole[i].folder);
    }
    for (const std::u16string& folderName : SubfolderNames(root)) {
        const std::u16string folder = root + u"\\" + folderName;
        const bool ours = ParseBackupFolderName(folderName) ||
                          (std::u16string_view(folderName).ends_with(kPartialBackupSuffix) &&
                           ParseBackupFolderName(std::u16string_view(folderName).substr(
                               0, folderName.size() - kPartialBackupSuffix.size())));
        if (ours && !kept.contains(folder)) (void)RemoveFolderTree(folder);
    }
    std::erase_if(whole, [&kept](const Backup& backup) { return !kept.contains(backup.folder); });
    return whole;
}

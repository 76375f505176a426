// The backups of the data folder in BackupsDirectory() (the rules and the
// names: storage/core/backup_rules.h): listing the whole ones, writing one
// in small steps or at once, and the rotation.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "storage/core/backup_rules.h"

struct Backup {
    std::u16string folder;  // its full path
    BackupName name;
    std::vector<DataFile> files;  // as its manifest lists them
};

// The whole backups, the newest first. A folder cut short (".tmp"), or one
// whose manifest is missing or cut, or that lacks a file it lists or holds
// it at another size, is not one.
std::vector<Backup> ListBackups();

// The files of the data folder now, leaving out the ".tmp" files of saves
// under way.
std::vector<DataFile> CurrentDataFiles();

// A backup being written: its files are copied a few at a time into the
// ".tmp" folder, which is renamed to the backup's name once the manifest is
// written.
struct BackupJob {
    std::u16string sourceFolder;  // the data folder when it started, even if the user picks another meanwhile
    std::u16string partialFolder;
    std::u16string finalFolder;
    std::vector<DataFile> toCopy;
    std::size_t next = 0;
    std::vector<DataFile> copied;  // as the copies are
};

enum class BackupProgress { More, Done, Failed };

// A job for a backup named so, of the data folder's files now; false when
// its folder cannot be made (or there is no backups folder).
[[nodiscard]] bool StartBackup(const BackupName& name, BackupJob& job);

// Copies files until the time given is used up, and ends the job when all
// are copied. On failure the partial folder is removed and GetLastError()
// tells why.
BackupProgress ContinueBackup(BackupJob& job, std::chrono::milliseconds budget);

// A whole backup made now, at once; true when it is listed from now on.
[[nodiscard]] bool MakeBackupNow(const BackupName& name);

// True when the data folder changed since the newest backup (or there is none).
bool DataChangedSinceLastBackup(const std::vector<Backup>& backups);

// Removes the backups the rotation does not keep, the folders of backups
// that are not whole, and partial folders that a crash or a failure left;
// returns the whole backups kept, the newest first (one listing serves the
// day's look). Not while a job runs: its partial folder is not left over.
std::vector<Backup> RotateBackups();

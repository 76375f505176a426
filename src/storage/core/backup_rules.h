// Daily backups of the data folder, kept on the machine (never in a synced
// folder). Each backup is a folder of the backups folder named after the
// moment it was made:
//   YYYYMMDD-HHMM                       the day's backup
//   YYYYMMDD-HHMM_avant-restauration    the notes as they were just before a
//                                       whole day was restored (its undo)
// ("_2", "_3"… after either when the name was taken). It holds a copy of
// every file of the data folder under the same relative paths, and a
// manifest listing each of them with its size and last-write time. A backup
// is written under its name + ".tmp" and renamed only once whole, so a copy
// cut short by a crash or a full disk never has a backup's name; and a
// backup is whole only when every file its manifest lists is there with the
// size it lists.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/core/moment.h"

constexpr std::u16string_view kManifestName = u"manifeste.txt";
constexpr std::u16string_view kPartialBackupSuffix = u".tmp";
constexpr int kBackupDaysKept = 7;
constexpr int kBackupWeeksKept = 4;

struct BackupName {
    Moment madeAt;
    bool beforeRestore = false;
    int copy = 1;

    bool operator==(const BackupName&) const = default;
};

std::u16string BackupFolderName(const BackupName& name);

// The parts of a name BackupFolderName gives; nothing for any other name
// (a partial backup's ".tmp" folder among them).
std::optional<BackupName> ParseBackupFolderName(std::u16string_view folderName);

// One file of the data folder: its path inside it ("notes\note_….txt"), its
// size and its last-write time (the file system's 100-nanosecond units).
struct DataFile {
    std::u16string path;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;

    auto operator<=>(const DataFile&) const = default;
};

std::u16string FormatManifest(const std::vector<DataFile>& files);

// The files a manifest lists; nothing when the text is not a whole manifest
// (no header, a line that does not read, or no closing line giving their
// number, as a manifest cut short has).
std::optional<std::vector<DataFile>> ParseManifest(std::u16string_view text);

// True when both list the same files with the same sizes and times, in any
// order: nothing changed in the data folder between them.
bool SameDataFiles(std::vector<DataFile> a, std::vector<DataFile> b);

// True when every file of the manifest is among those found (path to size)
// with its size.
bool HoldsEveryFile(const std::vector<DataFile>& manifest, const std::map<std::u16string, std::uint64_t>& found);

// How many note files a manifest lists ("notes\" and a note file name).
int NoteFileCount(const std::vector<DataFile>& manifest);

// Which backups the rotation keeps, in the order given: every backup of the
// kBackupDaysKept most recent days that have one, and the newest backup of
// each of the kBackupWeeksKept most recent weeks that have one.
std::vector<bool> BackupsToKeep(const std::vector<BackupName>& backups);

// True when no day's backup was made on `today`'s date yet.
bool IsDailyBackupDue(const std::vector<BackupName>& backups, const Moment& today);

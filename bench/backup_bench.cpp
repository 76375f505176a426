// Backup benchmark: the day's backup of a data folder of 1000 notes, in
// process under Wine. Timed apart: the look at the data folder that tells
// whether anything changed, the whole backup at once (as before a restore),
// the longest step of a backup written in the timer's small steps (what the
// user may feel), and listing the backups as the restore window does. Then
// the backup's size, in bytes and on the disk. Run from the build's bin
// folder:
//   wine backup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "storage/backups.h"
#include "storage/data_directory.h"
#include "storage/folder_tree.h"
#include "storage/text_files.h"
#include "median_time.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNotes = 1000;
constexpr std::chrono::milliseconds kStepBudget{15};  // as the tray's steps

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}


// A note of a few lines, about 400 bytes as the program writes it.
std::string NoteBytes(int i) {
    std::string text = "X=" + std::to_string(20 + i % 1300) + "\r\nY=" + std::to_string(20 + i % 700) +
                       "\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUB=0\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n"
                       "---\r\n";
    for (int line = 0; line < 5; ++line) text += "Appeler le fournisseur au sujet de la livraison du mardi\r\n";
    return text;
}

void WriteDataFolder() {
    EnsureDataFolders();
    for (int i = 0; i < kNotes; ++i) {
        wchar_t name[40] = {};
        swprintf(name, 40, L"\\note_%016llX.txt", 0xB000ULL + static_cast<unsigned long long>(i));
        if (!WriteFileAtomic(NotesDirectory() + FromWide(name), NoteBytes(i))) std::printf("cannot write a note\n");
    }
    (void)WriteFileAtomic(DataFilePath(u"categories.txt"), "NEXTID|2\r\nCAT|1|FF0000|Travail\r\n");
}

BackupName NameForRun(int run) {
    return BackupName{{2025, 3, 1 + run % 28, 10, run / 28}};
}

// The bytes a backup's files take on a disk of that cluster size.
void PrintSize(const Backup& backup) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    GetDiskFreeSpaceW(Wide(backup.folder.substr(0, 3)), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
    const std::uint64_t cluster = std::max<std::uint64_t>(1, std::uint64_t{sectorsPerCluster} * bytesPerSector);
    std::uint64_t bytes = 0;
    std::uint64_t onDisk = 0;
    const std::vector<DataFile> files = FilesUnder(backup.folder);
    for (const DataFile& file : files) {
        bytes += file.size;
        onDisk += (file.size + cluster - 1) / cluster * cluster;
    }
    std::printf("one backup: %zu files, %.1f KB of data, %.1f MB on a disk of %llu-byte clusters\n", files.size(),
                static_cast<double>(bytes) / 1024.0, static_cast<double>(onDisk) / (1024.0 * 1024.0),
                static_cast<unsigned long long>(cluster));
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 28) : 9;
    ProgramState state;
    const ProgramStateBinding bound(state);
    const TemporaryFolder folder;
    SetEnvironmentVariableW(L"APPDATA", Wide(folder.Path()));
    SetEnvironmentVariableW(L"LOCALAPPDATA", Wide(folder.Path() + u"\\Local"));
    WriteDataFolder();
    std::printf("Backup of %d notes, median of %d runs\n", kNotes, runs);

    const double wholeMs = MedianMs(runs, [](int run) {
        if (!MakeBackupNow(NameForRun(run))) std::printf("backup failed\n");
    });
    std::printf("whole backup at once:                     %8.1f ms\n", wholeMs);

    const std::vector<Backup> backups = ListBackups();
    const double lookMs = MedianMs(runs, [&backups](int) { (void)DataChangedSinceLastBackup(backups); });
    std::printf("look for a change since the last backup:  %8.1f ms\n", lookMs);
    const double listMs = MedianMs(runs, [](int) { (void)ListBackups(); });
    std::printf("list %zu whole backups:                    %8.1f ms\n", backups.size(), listMs);
    // What the timer does once a day before a backup starts: the rotation
    // (one listing) and the look for a change.
    const double dayLookMs = MedianMs(runs, [](int) { (void)DataChangedSinceLastBackup(RotateBackups()); });
    std::printf("the day's look (rotation, then a change?):  %6.1f ms\n", dayLookMs);

    BackupJob job;
    double longestStep = 0;
    int steps = 0;
    const auto jobStart = Clock::now();
    const bool started = StartBackup(BackupName{{2025, 4, 1, 10, 0}}, job);
    const double startMs = Ms(Clock::now() - jobStart);  // the listing of the data folder, in one go
    std::printf("start of a backup (the data folder listed): %6.1f ms\n", startMs);
    if (started) {
        for (BackupProgress progress = BackupProgress::More; progress == BackupProgress::More; ++steps) {
            const auto start = Clock::now();
            progress = ContinueBackup(job, kStepBudget);
            longestStep = std::max(longestStep, Ms(Clock::now() - start));
        }
    }
    std::printf("in steps of %lld ms: %d steps, the longest %.1f ms, %.0f ms in all\n",
                static_cast<long long>(kStepBudget.count()), steps, longestStep, Ms(Clock::now() - jobStart));
    PrintSize(ListBackups().front());
    return 0;
}

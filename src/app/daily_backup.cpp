#include "app/daily_backup.h"

#include "app/program_state.h"
#include "storage/backups.h"
#include "storage/data_directory.h"
#include "storage/note_bin.h"
#include "win/failure_log.h"

namespace {

// Copying for this long at a time leaves the user's keys and clicks waiting
// no more than one frame.
constexpr std::chrono::milliseconds kStepBudget{15};

std::vector<BackupName> NamesOf(const std::vector<Backup>& backups) {
    std::vector<BackupName> names;
    for (const Backup& backup : backups) names.push_back(backup.name);
    return names;
}

}  // namespace

void LookAtBackupsOncePerDay(HWND trayWindow, const Moment& now) {
    AppShellState& app = CurrentAppShellState();
    const std::int64_t today = DayNumber(now);
    if (app.backupLookDay == today) return;
    app.backupLookDay = today;
    RemoveExpiredBinFiles(now);
    if (app.backupJob) return;  // yesterday's still under way
    const std::vector<Backup> backups = RotateBackups();
    if (!IsDailyBackupDue(NamesOf(backups), now) || !DataChangedSinceLastBackup(backups)) return;
    BackupJob job;
    if (!StartBackup(BackupName{now}, job)) {
        RecordFailure(u"cannot start the day's backup", BackupsDirectory(), GetLastError());
        return;
    }
    app.backupJob = std::move(job);
    PostMessageW(trayWindow, WM_BACKUP_STEP, 0, 0);
}

void ContinueDailyBackup(HWND trayWindow) {
    AppShellState& app = CurrentAppShellState();
    if (!app.backupJob) return;
    switch (ContinueBackup(*app.backupJob, kStepBudget)) {
    case BackupProgress::More:
        PostMessageW(trayWindow, WM_BACKUP_STEP, 0, 0);
        return;
    case BackupProgress::Done:
        app.backupJob.reset();
        (void)RotateBackups();
        return;
    case BackupProgress::Failed:
        // Tried again at the next start or the next day; the notes
        // themselves are not touched.
        RecordFailure(u"the day's backup failed", BackupsDirectory(), GetLastError());
        app.backupJob.reset();
        return;
    }
}

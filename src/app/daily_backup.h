// The day's backup of the data folder, and the bin's expiry: looked at once
// a day, at start and by the 30-second timer when the day has changed. A
// backup is made when none was made today and the data folder changed since
// the newest one; it is copied a few files at a time between the user's
// messages, so that even a thousand notes never hold up typing.
#pragma once

#include <windows.h>

#include "storage/core/moment.h"

// Posted to the tray window for each next step of a backup under way.
constexpr UINT WM_BACKUP_STEP = WM_APP + 40;

// The once-a-day look: notes in the bin for 30 days are removed, backups
// the rotation does not keep and partial ones left by a crash are removed,
// and the day's backup is started when it is due. Does nothing on a day
// already looked at.
void LookAtBackupsOncePerDay(HWND trayWindow, const Moment& now);

// One step of the backup under way; posts the next while files are left.
void ContinueDailyBackup(HWND trayWindow);

// What the application shell itself keeps for the whole run: the tray icon,
// the splash's logo, the taskbar's message and the day's backup. Part of ProgramState.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <vector>
#include <optional>

#include "storage/backups.h"

// The logo, made at the splash's first paint and let go with the splash. The
// pixels stay with the image, which reads them while it lives.
struct SplashLogo {
    bool attempted = false;
    std::vector<BYTE> pixels;
    std::unique_ptr<Gdiplus::Bitmap> image;
};

struct AppShellState {
    SplashLogo splashLogo;
    // Removing the icon needs the record it was added with.
    NOTIFYICONDATAW trayIcon{};
    int trayIconRetriesLeft = 0;
    UINT taskbarCreatedMessage = 0;  // 0 until registered
    bool traceSteps = false;         // QB_TRACE: see app/step_trace.h
    unsigned long long traceStart = 0;
    // The day (DayNumber) the bin and the backups were last looked at, and
    // the day's backup while it is being written.
    std::int64_t backupLookDay = -1;
    std::optional<BackupJob> backupJob;
};

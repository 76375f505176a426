// What the application shell itself keeps for the whole run: the tray icon,
// the splash's logo, the taskbar's message and the day's backup. Part of ProgramState.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "storage/backups.h"

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using UniqueStream = std::unique_ptr<IStream, ComReleaser>;

// The logo, decoded once at the first paint and kept for the whole run. The
// stream stays with the image, which may read from it while it lives.
struct SplashLogo {
    bool attempted = false;
    UniqueStream stream;
    std::unique_ptr<Gdiplus::Image> image;
};

struct AppShellState {
    SplashLogo splashLogo;
    // Removing the icon needs the record it was added with.
    NOTIFYICONDATAW trayIcon{};
    int trayIconRetriesLeft = 0;
    UINT taskbarCreatedMessage = 0;  // 0 until registered
    // The day (DayNumber) the bin and the backups were last looked at, and
    // the day's backup while it is being written.
    std::int64_t backupLookDay = -1;
    std::optional<BackupJob> backupJob;
};

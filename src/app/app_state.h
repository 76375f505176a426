// What the application shell itself keeps for the whole run: the tray icon,
// the splash's logo and the taskbar's message. Part of ProgramState.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <gdiplus.h>

#include <memory>

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
    bool traceSteps = false;         // QB_TRACE: see app/step_trace.h
    unsigned long long traceStart = 0;
};

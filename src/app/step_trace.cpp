#include "app/step_trace.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "app/program_state.h"

void StartStepTrace() {
    AppShellState& app = CurrentAppShellState();
    app.traceSteps = GetEnvironmentVariableW(L"QB_TRACE", nullptr, 0) > 0;
    app.traceStart = GetTickCount64();
}

void TraceStep(const char* step) {
    const AppShellState& app = CurrentAppShellState();
    if (!app.traceSteps) return;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    std::fprintf(stderr, "trace %s %llu ms %.1f MB\n", step, GetTickCount64() - app.traceStart,
                 counters.WorkingSetSize / (1024.0 * 1024.0));
    std::fflush(stderr);
}

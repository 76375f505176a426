// Start-up and quit benchmark, for Quillboard.exe with N stored notes and for
// a floor program that only creates N bare popup windows with an edit each:
// - the time from launch to all N note windows visible, and the peak working
//   set once idle;
// - the time from the tray's "Quitter" to the end of the process. The floor
//   for it shows a tray icon too and removes it when closed, so that what the
//   system spends on the icon and on tearing down N windows is not counted as
//   the program's own work.
// Run under Wine from the build's bin folder:
//   wine startup_bench.exe [runs] [N ...]      (default: 3 runs, N = 1 100 1000)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "median_time.h"
#include "support/data_folder.h"
#include "support/quillboard_process.h"
#include "support/windows_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr wchar_t kFloorClass[] = L"QuillboardBenchFloor";
constexpr std::chrono::milliseconds kTimeout(120000);
constexpr DWORD kPollIntervalMs = 50;
constexpr DWORD kSettleTimeoutMs = 30000;

constexpr UINT kQuitCommand = 1002;  // the tray menu's "Quitter"
constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";

struct Measurement {
    double milliseconds = 0;
    double peakWorkingSetMb = 0;
    double quitMilliseconds = 0;
};

size_t VisibleWindows(DWORD process, const wchar_t* className) {
    const auto windows = TopLevelWindows(process, className);
    return static_cast<size_t>(std::count_if(windows.begin(), windows.end(), IsWindowVisible));
}

void PrepareNotes(const DataFolder& data, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string text = "X=" + std::to_string(20 + (i * 37) % 1300) + "\r\nY=" +
                                 std::to_string(20 + (i * 23) % 700) +
                                 "\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                                 "LASTDOCK=0\r\nTYPE=0\r\n---\r\nnote text";
        data.WriteNote(static_cast<std::uint64_t>(i + 1), text);
    }
}

double PeakWorkingSetMb(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, &counters, sizeof(counters));
    CloseHandle(process);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// Asks the program to end as a user would and returns how long it took to
// end, or 0 when it did not end in time.
double TimeQuit(const QuillboardProcess& process, const wchar_t* windowClass) {
    const bool quillboard = std::wstring(windowClass) == kNoteClass;
    const auto windows = TopLevelWindows(process.Id(), quillboard ? kTrayClass : windowClass);
    if (windows.empty()) return 0;
    const auto start = Clock::now();
    PostMessageW(windows.front(), quillboard ? WM_COMMAND : WM_CLOSE, quillboard ? kQuitCommand : 0, 0);
    if (WaitForSingleObject(process.Handle(), static_cast<DWORD>(kTimeout.count())) != WAIT_OBJECT_0) return 0;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Measurement Launch(const DataFolder& data, const wchar_t* program, const std::wstring& arguments,
                   const wchar_t* windowClass, size_t count) {
    const auto start = Clock::now();
    QuillboardProcess process(data.AppData(), program, arguments);
    Measurement result;
    // Counting another process's windows costs the Wine server as much as
    // it costs the program being measured, so the count is taken only once
    // the program waits for input (its start-up is over), and then seldom.
    WaitForInputIdle(process.Handle(), static_cast<DWORD>(kTimeout.count()));
    const auto allVisible = [&] {
        if (VisibleWindows(process.Id(), windowClass) >= count) return true;
        Sleep(kPollIntervalMs);
        return false;
    };
    if (!PumpUntil(allVisible, kTimeout)) return result;
    result.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Memory is read once the program has painted everything and is idle.
    WaitForInputIdle(process.Handle(), kSettleTimeoutMs);
    result.peakWorkingSetMb = PeakWorkingSetMb(process.Id());
    result.quitMilliseconds = TimeQuit(process, windowClass);
    return result;
}


void Compare(int count, int runs) {
    DataFolder data;
    PrepareNotes(data, count);
    // A user's files were written by the program itself: one run first lets
    // it write them in its own format, so that the runs measured see them as
    // they are on a real desktop.
    Launch(data, L"Quillboard.exe", L"", kNoteClass, count);
    std::vector<double> program, floor, programMemory, floorMemory, programQuit, floorQuit;
    for (int run = 0; run < runs; ++run) {
        const Measurement quillboard = Launch(data, L"Quillboard.exe", L"", kNoteClass, count);
        const Measurement bare = Launch(data, L"bench_floor.exe", std::to_wstring(count), kFloorClass, count);
        const Measurement withTray =
            Launch(data, L"bench_floor.exe", std::to_wstring(count) + L" tray", kFloorClass, count);
        program.push_back(quillboard.milliseconds);
        floor.push_back(bare.milliseconds);
        programMemory.push_back(quillboard.peakWorkingSetMb);
        floorMemory.push_back(bare.peakWorkingSetMb);
        programQuit.push_back(quillboard.quitMilliseconds);
        floorQuit.push_back(withTray.quitMilliseconds);
    }
    const double time = Median(program), floorTime = Median(floor);
    const double memory = Median(programMemory), floorPeak = Median(floorMemory);
    std::printf("N=%-5d  Quillboard %8.1f ms  floor %8.1f ms  ratio %.2f   peak working set %.1f MB / %.1f MB "
                "ratio %.2f\n",
                count, time, floorTime, time / floorTime, memory, floorPeak, memory / floorPeak);
    const double quit = Median(programQuit), floorQuitTime = Median(floorQuit);
    std::printf("         quit: Quillboard %8.1f ms  floor with a tray icon %8.1f ms  own work %8.1f ms\n", quit,
                floorQuitTime, quit - floorQuitTime);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i) counts.push_back(std::max(1, std::atoi(argv[i])));
    if (counts.empty()) counts = {1, 100, 1000};
    std::printf("Start-up to all notes visible and quit, median of %d runs\n", runs);
    for (int count : counts) Compare(count, runs);
    return 0;
}

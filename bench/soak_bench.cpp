// The soak: the real program with 200 notes, driven through the equivalent of
// a month of use, with what it holds printed at the start and after every
// tenth. A program without leaks stays flat after the first tenth (caches,
// the first dialog, the sound library). Run under Wine from the build's bin
// folder (about half an hour on two cores):
//   wine soak_bench.exe [divisor]
// A divisor shortens the month (10 runs a tenth of every count).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "process_figures.h"
#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/windows_test_support.h"

namespace {

using std::chrono::milliseconds;

constexpr int kNotes = 200;
constexpr int kTenths = 10;
// A month: one scan every 30 s, and what a busy user does in that time.
constexpr int kScans = 86400;
constexpr int kToasts = 1000;
constexpr int kMenus = 2000;
constexpr int kDialogs = 500;
constexpr int kSaves = 2000;

constexpr int kScansBetweenWaits = 50;  // posted at once, then the program catches up
constexpr milliseconds kWindowTimeout(10000);
constexpr milliseconds kStartTimeout(120000);
constexpr UINT_PTR kScanTimerId = 1;
constexpr std::uint64_t kToastNoteIdBase = 0x70A5700;

struct Counts {
    int scans, toasts, menus, dialogs, saves;
};

void PrepareNotes(const DataFolder& data) {
    for (int i = 0; i < kNotes; ++i) {
        NoteFileLines note;
        note.x = 20 + (i * 37) % 1300;
        note.y = 20 + (i * 23) % 700;
        note.body = "note " + std::to_string(i);
        data.WriteNote(static_cast<std::uint64_t>(i + 1), NoteFileText(note));
    }
}

void PrintFigures(const char* when, const QuillboardProcess& program) {
    const ProcessFigures figures = ReadProcessFigures(program.Handle(), program.Id());
    std::printf("%-8s GDI objects %5zu   %s %5zu   handles %5zu   private %7.1f MB   working set %7.1f MB\n", when,
                figures.gdiObjects, figures.userObjectsAreWindows ? "windows" : "user objects", figures.userObjects,
                figures.handles, figures.privateBytes / 1048576.0, figures.workingSetBytes / 1048576.0);
    std::fflush(stdout);
}

void RunScans(HWND tray, int count) {
    for (int done = 0; done < count; done += kScansBetweenWaits) {
        const int batch = std::min(kScansBetweenWaits, count - done);
        for (int i = 0; i < batch; ++i) PostMessageW(tray, WM_TIMER, kScanTimerId, 0);
        WaitUntilIdle(tray);
    }
}

// A scheduled note with `count` entries long due appears in the folder, as
// from another machine; every toast it raises is clicked away, then the note
// file is deleted again. Returns the toasts closed.
int RaiseToasts(const DataFolder& data, const QuillboardProcess& program, HWND tray, int count, int round) {
    NoteFileLines note{.x = 1200, .y = 600, .type = 1};
    for (int i = 1; i <= count; ++i) note.entries.push_back(std::to_string(i) + "|202001011200|0|0|0|rappel " + std::to_string(i));
    const std::uint64_t id = kToastNoteIdBase + static_cast<std::uint64_t>(round);
    data.WriteNote(id, NoteFileText(note));
    int closed = 0;
    const auto start = std::chrono::steady_clock::now();
    while (closed < count && std::chrono::steady_clock::now() - start < milliseconds(120000)) {
        PostMessageW(tray, WM_TIMER, kScanTimerId, 0);  // the scan that finds the note and its due entries
        WaitUntilIdle(tray);
        for (HWND toast : TopLevelWindows(program.Id(), kToastClass)) {
            PostMessageW(toast, WM_LBUTTONUP, 0, 0);
            ++closed;
        }
        WaitUntilIdle(tray);
    }
    DeleteFileW(reinterpret_cast<const wchar_t*>(data.NotePath(id).c_str()));
    PostMessageW(tray, WM_TIMER, kScanTimerId, 0);
    WaitUntilIdle(tray);
    return closed;
}

bool MenuOpen(const QuillboardProcess& program) {
    return !VisibleWindows(program.Id(), kMenuClass).empty();
}

// Every other menu is a note's, the others the tray's. Returns the menus
// that opened and closed.
int OpenMenus(const QuillboardProcess& program, HWND tray, const std::vector<HWND>& notes, int count) {
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            HWND note = notes[static_cast<size_t>(i / 2) % notes.size()];
            RECT place{};
            GetWindowRect(note, &place);
            PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(place.left + 60, place.top + 8));
        } else {
            PostMessageW(tray, kTrayIconMessage, kTrayIconId, WM_RBUTTONUP);
        }
        if (!PumpUntil([&] { return MenuOpen(program); }, kWindowTimeout)) continue;
        PressKeys({VK_ESCAPE});
        if (PumpUntil([&] { return !MenuOpen(program); }, kWindowTimeout)) ++shown;
    }
    return shown;
}

// The settings window, opened from the tray and closed without a change.
int OpenDialogs(const QuillboardProcess& program, HWND tray, int count) {
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        PostMessageW(tray, WM_COMMAND, kSettingsCommand, 0);
        if (!PumpUntil([&] { return !VisibleWindows(program.Id(), kSettingsClass).empty(); }, kWindowTimeout)) continue;
        for (HWND settings : TopLevelWindows(program.Id(), kSettingsClass)) PostMessageW(settings, WM_CLOSE, 0, 0);
        if (PumpUntil([&] { return TopLevelWindows(program.Id(), kSettingsClass).empty(); }, kWindowTimeout)) ++shown;
    }
    return shown;
}

// A new text in a note, then the focus leaves it: each one a real write.
void Save(const std::vector<HWND>& notes, HWND tray, int count, int round) {
    for (int i = 0; i < count; ++i) {
        HWND note = notes[static_cast<size_t>(i) % notes.size()];
        HWND edit = GetDlgItem(note, kNoteEdit);
        const std::wstring text = L"saved " + std::to_wstring(round) + L"." + std::to_wstring(i);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        PostMessageW(note, WM_COMMAND, MAKEWPARAM(kNoteEdit, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
        if (i % 20 == 19) WaitUntilIdle(tray);
    }
    WaitUntilIdle(tray);
}

}  // namespace

int main(int argc, char** argv) {
    const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const Counts tenth{kScans / kTenths / divisor, kToasts / kTenths / divisor, kMenus / kTenths / divisor,
                       kDialogs / kTenths / divisor, kSaves / kTenths / divisor};
    std::printf("Soak: %d notes; each tenth %d scans, %d toasts, %d menus, %d dialogs, %d saves\n", kNotes,
                tenth.scans, tenth.toasts, tenth.menus, tenth.dialogs, tenth.saves);
    DataFolder data;
    PrepareNotes(data);
    QuillboardProcess program(data.AppData());
    HWND tray = program.WaitForWindow(kTrayClass, kStartTimeout);
    if (!tray || !program.WaitForWindowCount(kNoteClass, kNotes, kStartTimeout)) {
        std::printf("the program did not start with its %d notes\n", kNotes);
        return 1;
    }
    WaitUntilIdle(tray);
    const std::vector<HWND> notes = program.Windows(kNoteClass);
    PrintFigures("start", program);
    Counts done{};
    for (int round = 1; round <= kTenths; ++round) {
        const auto start = std::chrono::steady_clock::now();
        RunScans(tray, tenth.scans);
        done.toasts += RaiseToasts(data, program, tray, tenth.toasts, round);
        done.menus += OpenMenus(program, tray, notes, tenth.menus);
        done.dialogs += OpenDialogs(program, tray, tenth.dialogs);
        Save(notes, tray, tenth.saves, round);
        done.scans += tenth.scans;
        done.saves += tenth.saves;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::string when = std::to_string(round) + "/10";
        std::printf("(%.0f s) ", seconds);
        PrintFigures(when.c_str(), program);
        if (!program.Running()) {
            std::printf("the program ended during the soak\n");
            return 1;
        }
    }
    std::printf("done: %d scans, %d toasts, %d menus, %d dialogs, %d saves\n", done.scans, done.toasts, done.menus,
                done.dialogs, done.saves);
    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    DWORD exitCode = 1;
    return program.WaitForExit(&exitCode, kStartTimeout) && exitCode == 0 ? 0 : 1;
}

// Due-scan benchmark: one scan of 1000 scheduled notes with 100 entries each.
// Timed apart: the core rule alone over the note records, the bare walk over
// the note windows, and the whole scan over real (hidden) note windows, once
// with nothing to announce (every tick but a few) and once announcing ten
// entries (ten toasts, ten note files written), beside ten toasts alone. Run under Wine from the
// build's bin folder:
//   wine due_scan_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "median_time.h"
#include "notes/note_creation.h"
#include "notes/note_window.h"
#include "notes/note_window_state.h"
#include "reminders/core/due_rule.h"
#include "reminders/due_scan.h"
#include "reminders/notification_sound.h"
#include "reminders/toast_window.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNotes = 1000;
constexpr int kEntriesPerNote = 100;
constexpr int kAnnouncingNotes = 10;
constexpr DueParts kNow{2025, 3, 14, 14, 5};
constexpr DueParts kNextMinute{2025, 3, 14, 14, 6};

// A heavy user's note, sorted as notes keep their entries: half of them past
// (announced, one in five also done), half still to come.
std::vector<NoteEntry> Entries() {
    std::vector<NoteEntry> entries;
    for (int i = 0; i < kEntriesPerNote; ++i) {
        NoteEntry entry;
        entry.id = i + 1;
        entry.text = u"appeler le fournisseur au sujet de la livraison";
        if (i < kEntriesPerNote / 2) {
            entry.due = MakeDueStamp(DueParts{2025, 3, 1 + i * 13 / (kEntriesPerNote / 2), 9, i % 60});
            entry.notified = 1;
            entry.done = i % 5 == 0 ? 1 : 0;
        } else {
            entry.due = MakeDueStamp(DueParts{2025, 4, 1 + (i - kEntriesPerNote / 2) / 2, 9, i % 60});
        }
        entries.push_back(entry);
    }
    return entries;
}


void TimeCoreRule(int runs) {
    Note note;
    note.type = kNoteScheduled;
    note.entries = Entries();
    const std::vector<Note> notes(kNotes, note);
    const DueStamp now = MakeDueStamp(kNow);
    std::size_t due = 0;
    const double ms = MedianMs(runs, [&](int) {
        for (const Note& each : notes) due += DueEntryIndices(each, now).size();
    });
    std::printf("core rule, %d notes x %d entries:        %8.3f ms  (%zu due)\n", kNotes, kEntriesPerNote, ms, due);
}

std::vector<HWND> CreateNotes() {
    std::vector<HWND> windows;
    for (int i = 0; i < kNotes; ++i) {
        NoteCreateParams params;
        params.id = 0xB000 + static_cast<std::uint64_t>(i);
        params.x = 20 + (i * 37) % 1300;
        params.y = 20 + (i * 23) % 700;
        params.type = kNoteScheduled;
        params.entries = Entries();
        windows.push_back(CreateNoteWindow(params));
    }
    return windows;
}

void TimeWindowPass(int runs) {
    const TemporaryFolder folder;  // the announcing scan writes note files
    SetEnvironmentVariableW(L"APPDATA", Wide(folder.Path()));
    RegisterNoteWindowClass(GetModuleHandleW(nullptr));
    ActiveSoundSettings().enabled = false;  // no device under Wine; the call returns at once anyway

    const auto start = Clock::now();
    const std::vector<HWND> windows = CreateNotes();
    const double createMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("(%d hidden note windows created in %.0f ms)\n", kNotes, createMs);

    int walked = 0;
    const double walkMs = MedianMs(runs, [&](int) { ForEachNoteWindow([&](HWND) { ++walked; }); });
    std::printf("bare walk over the note windows:          %8.3f ms\n", walkMs);
    ScanDueEntriesAt(kNow);  // the first scan of the process sets the date
    const double quietMs = MedianMs(runs, [](int) { ScanDueEntriesAt(kNow); });
    std::printf("whole scan, nothing to announce:          %8.3f ms\n", quietMs);

    const auto toastsStart = Clock::now();
    for (int i = 0; i < kAnnouncingNotes; ++i) ShowToast(u"Travail > Appels", u"appeler le fournisseur", 0x00E6A03C);
    const double toastsMs = std::chrono::duration<double, std::milli>(Clock::now() - toastsStart).count();
    std::printf("%d toasts alone, for comparison:           %8.3f ms\n", kAnnouncingNotes, toastsMs);
    while (!OpenToasts().empty()) DestroyWindow(OpenToasts().front());

    for (int i = 0; i < kAnnouncingNotes; ++i) {
        NoteFromWindow(windows[static_cast<std::size_t>(i) * (kNotes / kAnnouncingNotes)])->entries.back().due =
            MakeDueStamp(kNextMinute);
    }
    const auto announceStart = Clock::now();
    ScanDueEntriesAt(kNextMinute);
    const double announceMs = std::chrono::duration<double, std::milli>(Clock::now() - announceStart).count();
    std::printf("whole scan announcing %d entries:         %8.3f ms\n", kAnnouncingNotes, announceMs);
    for (HWND window : windows) DestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    std::printf("One due scan, median of %d runs\n", runs);
    TimeCoreRule(runs);
    TimeWindowPass(runs);
    return 0;
}

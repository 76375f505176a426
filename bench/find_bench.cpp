// Find-window benchmark: 1000 notes of 1 KB each, a query typed one key at
// a time. Timed apart: reading the notes when the window opens, the core's
// matching for each key (every prefix of the query), and each key press in
// the real window, from the key to the list painted again, in the order
// typed, and up to the list refilled, before it paints. Run under Wine from
// the build's bin folder:
//   wine find_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "median_time.h"
#include "notes/note_creation.h"
#include "notes/note_window.h"
#include "notes/note_window_state.h"
#include "search/core/note_matching.h"
#include "search/find_window.h"
#include "search/note_index.h"
#include "support/windows_test_support.h"
#include "ui/shared_fonts.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNotes = 1000;
constexpr std::size_t kNoteCharacters = 1024;  // about 1 KB in the note file
constexpr char16_t kQuery[] = u"rendez-vous dentiste";
constexpr UINT kStartDelayMs = 200;

// Words of everyday notes, accents included; one note in fifty holds the
// sought appointment.
const char16_t* const kWords[] = {u"appeler", u"réunion", u"compte", u"rendu", u"vendredi", u"fournisseur",
                                  u"livraison", u"téléphone", u"adresse", u"résumé", u"projet", u"équipe",
                                  u"budget", u"été", u"rentrée", u"facture", u"client", u"dossier"};

std::u16string NoteText(int index) {
    std::u16string text = index % 50 == 0 ? u"Rendez-vous dentiste jeudi 14 h\r\n" : u"";
    for (std::size_t word = static_cast<std::size_t>(index); text.size() < kNoteCharacters; word += 7) {
        text += kWords[word % std::size(kWords)];
        text += word % 11 == 0 ? u"\r\n" : u" ";
    }
    return text;
}


void CreateNotes() {
    for (int i = 0; i < kNotes; ++i) {
        NoteCreateParams params;
        params.id = 0xC000 + static_cast<std::uint64_t>(i);
        params.x = 20 + (i * 37) % 1300;
        params.y = 20 + (i * 23) % 700;
        params.body = NoteText(i);
        CreateNoteWindow(params);
    }
}

void TimeCore(int runs) {
    const double textsMs = MedianMs(runs, [](int) {
        ForEachNoteWindow([](HWND window) { WindowText(NoteEditOf(window)); });
    });
    std::printf("only the walk reading the texts:          %8.3f ms\n", textsMs);
    const double indexMs = MedianMs(runs, [](int) { IndexNoteWindows(); });
    std::printf("reading the notes when the window opens:  %8.3f ms\n", indexMs);
    const std::vector<SearchableNote> notes = IndexNoteWindows();
    double worst = 0;
    const std::u16string query = kQuery;
    for (std::size_t length = 1; length <= query.size(); ++length) {
        const std::u16string typed = query.substr(0, length);
        worst = std::max(worst, MedianMs(runs, [&](int) { FindNotes(notes, typed); }));
    }
    std::printf("core matching, worst key of the query:   %8.3f ms\n", worst);
}

// In the window's own modal loop: types the query key by key into the
// field (each key updates the list at once), paints, and closes it.
void CALLBACK TypeIntoTheWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND finder = FindWindowW(kFindWindowClass, nullptr);
    if (!finder) return;
    HWND field = GetDlgItem(finder, kFindFieldId);
    HWND list = GetDlgItem(finder, kFindListId);
    std::vector<double> times;
    std::vector<double> updates;  // the key handled and the list refilled, before it paints
    for (const char16_t c : std::u16string(kQuery)) {
        const auto start = Clock::now();
        SendMessageW(field, WM_CHAR, c, 0);
        updates.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        UpdateWindow(list);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(updates.begin(), updates.end());
    std::printf("key press before painting, median, slowest: %6.3f ms %8.3f ms\n", updates[updates.size() / 2],
                updates.back());
    std::printf("each key in the window, in ms:            ");
    for (double t : times) std::printf(" %.1f", t);
    std::printf("\n");
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::sort(times.begin(), times.end());
    std::printf("key press in the window, median:          %8.3f ms\n", times[times.size() / 2]);
    std::printf("key press in the window, slowest:         %8.3f ms  (%lld notes found at the end)\n",
                times.back(), static_cast<long long>(count));
    PostMessageW(finder, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    ProgramState state;
    const ProgramStateBinding bound(state);
    const TemporaryFolder folder;
    SetEnvironmentVariableW(L"APPDATA", Wide(folder.Path()));
    RegisterNoteWindowClass(GetModuleHandleW(nullptr));
    EnsureTextFont();
    std::printf("Find window, %d notes of %zu characters, query \"rendez-vous dentiste\", median of %d runs\n", kNotes,
                kNoteCharacters, runs);
    CreateNotes();
    TimeCore(runs);
    SetTimer(nullptr, 0, kStartDelayMs, TypeIntoTheWindow);
    OpenFindWindow(nullptr);
    return 0;
}

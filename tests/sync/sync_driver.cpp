// Drives the Quillboard of one machine from outside, one step per run, for
// the two-machine sync tests (tests/sync/scenarios.sh). A process sees only
// the windows of its own Wine server, so each machine (a Wine prefix) is
// driven by runs of this program inside it, and the script plays the steps.
//
//   sync_driver [--timeout SECONDS] COMMAND ARGUMENTS...
//
// QB_SYNC_APPDATA names the machine's APPDATA folder; the program's data
// folder is the "Quillboard" folder in it. A note is named by a piece of the
// text it shows. Every wait ends at the timeout (10 s unless given); a step
// that fails says what it waited for and what the machine showed, and the
// driver exits with 1 (2 for a command it does not know).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "categories/core/category_menu_model.h"
#include "notes/core/note_layout.h"
#include "storage/core/categories_file.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/windows_test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

using Milliseconds = std::chrono::milliseconds;

constexpr Milliseconds kDefaultTimeout{10000};
constexpr int kBodyProbeFromBottom = 10;  // a body point below the text, above the bottom edge
constexpr size_t kShownTextLength = 40;   // of a note's text in a failure message
constexpr int kMenuPointInNote = 60;      // where the note menu is asked for, from the note's top left
constexpr int kSettledLooks = 3;          // equal reads in a row before a look is taken as shown

struct Step {
    std::vector<std::u16string> arguments;
    Milliseconds timeout = kDefaultTimeout;
};

// ---- Text and output

std::string Utf8(const std::u16string& text) {
    const int units = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, Wide(text), units, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide(text), units, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// UTF-8 bytes as text, without a leading byte-order mark.
std::u16string Utf16(const std::string& bytes) {
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, WideBuffer(text), length);
    if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
    return text;
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

bool Fail(const std::string& why) {
    Say("sync_driver: " + why);
    return false;
}

std::string Quoted(const std::u16string& text) {
    // Appended piece by piece: GCC 12 warns wrongly on "\"" + text + "\"".
    std::string quoted = "\"";
    quoted += Utf8(text);
    quoted += '"';
    return quoted;
}

std::string Within(Milliseconds timeout) {
    return "within " + std::to_string(timeout.count() / 1000) + " s";
}

// On one line and cut short, for a failure message.
std::u16string Abridged(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit == u'\r' || unit == u'\n') unit = u' ';
    }
    if (text.size() > kShownTextLength) text = text.substr(0, kShownTextLength) + u"...";
    return text;
}

// Milliseconds since 1970 on the system clock, which every Wine prefix shares
// with Linux: times taken on two machines compare.
std::string NowMs() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;  // 100 ns since 1601
    constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ull;
    char text[32] = {};
    std::snprintf(text, sizeof(text), "%.1f", static_cast<double>(ticks - kUnixEpochTicks) / 10000.0);
    return text;
}

// ---- The machine: its data folder and its program's windows

std::u16string EnvironmentText(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(value) : std::u16string();
}

std::u16string AppData() {
    return EnvironmentText(L"QB_SYNC_APPDATA");
}

std::u16string DataPath(const std::u16string& relative) {
    return AppData() + u"\\Quillboard\\" + relative;
}

HWND TrayWindow() {
    const std::vector<HWND> trays = TopLevelWindows(0, kTrayClass);
    return trays.empty() ? nullptr : trays.front();
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

// The note windows the user sees on this machine; only Quillboard makes them.
std::vector<HWND> Notes() {
    return VisibleWindows(0, kNoteClass);
}

std::u16string TextOf(HWND note) {
    return ControlTextOf(GetDlgItem(note, kNoteEdit));
}

bool Holds(const std::u16string& text, const std::u16string& piece) {
    return text.find(piece) != std::u16string::npos;
}

HWND NoteShowing(const std::u16string& piece) {
    for (HWND note : Notes()) {
        if (Holds(TextOf(note), piece)) return note;
    }
    return nullptr;
}

std::string ShownNotes() {
    const std::vector<HWND> notes = Notes();
    std::string list = "this machine shows " + std::to_string(notes.size()) + " note(s)";
    for (HWND note : notes) list += "\n    " + Quoted(Abridged(TextOf(note)));
    return list;
}

HWND WaitForNoteShowing(const std::u16string& piece, Milliseconds timeout) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            found = NoteShowing(piece);
            return found != nullptr;
        },
        timeout);
    if (!found) Fail("no note shows " + Quoted(piece) + " " + Within(timeout) + "; " + ShownNotes());
    return found;
}

// Whether a note file of the data folder holds the text, written as UTF-8.
bool NoteFileHolds(const std::u16string& piece) {
    const std::u16string folder = DataPath(u"notes");
    const std::string bytes = Utf8(piece);
    for (const std::u16string& name : FilesIn(folder, L"note_*.txt")) {
        if (ReadRawFile(folder + u"\\" + name).find(bytes) != std::string::npos) return true;
    }
    return false;
}

bool WaitForEnd(HANDLE process, Milliseconds timeout) {
    return PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeout);
}

// Puts the text into the note's edit and makes the note save, as the edit
// losing the focus does. Both messages are sent, not posted: each returns
// once the program has handled it, so the save is done when this returns.
bool WriteAndSave(HWND note, const std::u16string& text, Milliseconds timeout) {
    HWND edit = GetDlgItem(note, kNoteEdit);
    const UINT waitMs = static_cast<UINT>(timeout.count());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text)), SMTO_NORMAL, waitMs,
                             &result)) {
        return Fail("the note's edit did not take the text " + Within(timeout));
    }
    if (!SendMessageTimeoutW(note, WM_COMMAND, MAKEWPARAM(kNoteEdit, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit),
                             SMTO_NORMAL, waitMs, &result)) {
        return Fail("the note did not handle the end of typing " + Within(timeout));
    }
    const std::string savedAt = NowMs();
    if (!PumpUntil([&] { return NoteFileHolds(text); }, timeout)) {
        return Fail("no note file holds " + Quoted(text) + " " + Within(timeout) + ": the program did not save it");
    }
    Say("saved-at=" + savedAt);
    return true;
}

// Whether each piece is shown by a note of its own: each takes the first note
// not yet taken that shows it, so pieces are best kept distinct.
bool EachShownApart(const std::vector<std::u16string>& texts, const std::vector<std::u16string>& pieces) {
    std::vector<bool> taken(texts.size(), false);
    for (const std::u16string& piece : pieces) {
        bool found = false;
        for (size_t i = 0; i < texts.size() && !found; ++i) {
            if (taken[i] || !Holds(texts[i], piece)) continue;
            taken[i] = true;
            found = true;
        }
        if (!found) return false;
    }
    return true;
}

// ---- How a note looks

void Raise(HWND note) {
    SetWindowPos(note, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A fingerprint of the note's header strip as the screen shows it (its
// colour, the category title and the glyphs) and its body colour, as
// "HHHHHHHHHHHHHHHH-RRGGBB". Two machines with the same fonts and screen
// show the same note alike, so a look taken on one is checked on the other.
std::string LookOf(HWND note) {
    RECT client{};
    GetClientRect(note, &client);
    POINT origin{0, 0};
    ClientToScreen(note, &origin);
    const RECT header{origin.x, origin.y, origin.x + client.right, origin.y + kHeaderHeight};
    const unsigned long long fingerprint = ScreenPicture(header).Fingerprint();
    const COLORREF body = ScreenPixel(origin.x + client.right / 2, origin.y + client.bottom - kBodyProbeFromBottom);
    char text[40] = {};
    std::snprintf(text, sizeof(text), "%016llX-%02X%02X%02X", fingerprint, GetRValue(body), GetGValue(body),
                  GetBValue(body));
    return text;
}

// ---- Categories

// The number of Down presses that reach "Nouvelle categorie..." in a note's
// menu, built as the program builds it from categories.txt. Down moves one
// item at a time here, separators included (they are owner-drawn), so the
// item at index i takes i + 1 presses; -1 when the menu has no such item.
int DownsToNewCategory() {
    const CategoryStore store = ParseCategoriesFile(Utf16(ReadRawFile(DataPath(u"categories.txt"))));
    const std::vector<MenuItem> menu = BuildCategoryMenu(store, kNoteRegular, 0, 0);
    for (size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].kind == MenuItem::Kind::Command && menu[i].id == kCommandNewCategory) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

bool CategoriesFileNames(const std::u16string& name) {
    const CategoryStore store = ParseCategoriesFile(Utf16(ReadRawFile(DataPath(u"categories.txt"))));
    for (const Category& category : store.categories) {
        if (category.name == name) return true;
    }
    return false;
}

// "RRGGBB" as a COLORREF; false when it is not six hexadecimal digits.
bool ParseColour(const std::u16string& text, COLORREF* colour) {
    if (text.size() != 6) return false;
    const std::wstring digits(Wide(text));
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(digits.c_str(), &end, 16);
    if (*end != L'\0') return false;
    *colour = RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    return true;
}

// ---- Commands

bool Start(const Step& step) {
    if (TrayWindow()) return Fail("Quillboard already runs on this machine");
    if (AppData().empty()) return Fail("QB_SYNC_APPDATA does not name the machine's APPDATA folder");
    QuillboardProcess program(AppData());
    if (!program.Started()) return Fail("Quillboard.exe could not be started");
    program.LeaveRunning();
    if (!program.WaitForWindow(kTrayClass, step.timeout)) {
        return Fail(program.Running() ? "Quillboard was not up " + Within(step.timeout)
                                      : "Quillboard ended at its start");
    }
    // The splash, shown before the tray window is made, is closed as a click
    // would close it, rather than waited out for its 6 seconds.
    for (HWND splash : program.Windows(kSplashClass)) PostMessageW(splash, WM_CLOSE, 0, 0);
    if (PumpUntil([&] { return program.Windows(kSplashClass).empty(); }, step.timeout)) return true;
    return Fail("Quillboard's splash did not close " + Within(step.timeout));
}

bool Quit(const Step& step) {
    HWND tray = TrayWindow();
    if (!tray) return Fail("Quillboard does not run on this machine");
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(tray)));
    if (!process) return Fail("Quillboard's process cannot be watched");
    PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    if (!WaitForEnd(process.Get(), step.timeout)) {
        return Fail("Quillboard did not end " + Within(step.timeout) + " of its quit command");
    }
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    if (code != 0) return Fail("Quillboard ended with exit code " + std::to_string(code));
    return true;
}

// Ends the program at once, for a harness that must stop it whatever its state.
bool Kill(const Step& step) {
    HWND tray = TrayWindow();
    const std::vector<HWND> notes = Notes();
    HWND window = tray ? tray : notes.empty() ? nullptr : notes.front();
    if (!window) return true;
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessOf(window)));
    if (!process) return Fail("Quillboard's process cannot be ended");
    TerminateProcess(process.Get(), 1);
    return WaitForEnd(process.Get(), step.timeout) || Fail("Quillboard did not end " + Within(step.timeout));
}

bool NewNote(const Step& step) {
    HWND tray = TrayWindow();
    if (!tray) return Fail("Quillboard does not run on this machine");
    const std::vector<HWND> before = Notes();
    PostMessageW(tray, WM_COMMAND, kNewNoteCommand, 0);
    HWND note = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : Notes()) {
                if (std::find(before.begin(), before.end(), window) == before.end()) note = window;
            }
            return note != nullptr;
        },
        step.timeout);
    if (!note) return Fail("no new note showed " + Within(step.timeout));
    return WriteAndSave(note, step.arguments[0], step.timeout);
}

bool Type(const Step& step) {
    HWND note = WaitForNoteShowing(step.arguments[0], step.timeout);
    return note && WriteAndSave(note, step.arguments[1], step.timeout);
}

bool WaitNote(const Step& step) {
    return WaitForNoteShowing(step.arguments[0], step.timeout) != nullptr;
}

bool WaitGone(const Step& step) {
    const std::u16string& piece = step.arguments[0];
    if (PumpUntil([&] { return NoteShowing(piece) == nullptr; }, step.timeout)) return true;
    return Fail("a note still shows " + Quoted(piece) + " after waiting " + Within(step.timeout) + "; " +
                ShownNotes());
}

bool WaitNotes(const Step& step) {
    const size_t count = static_cast<size_t>(std::wcstoul(Wide(step.arguments[0]), nullptr, 10));
    const std::vector<std::u16string> pieces(step.arguments.begin() + 1, step.arguments.end());
    const bool shown = PumpUntil(
        [&] {
            std::vector<std::u16string> texts;
            for (HWND note : Notes()) texts.push_back(TextOf(note));
            return texts.size() == count && EachShownApart(texts, pieces);
        },
        step.timeout);
    if (shown) return true;
    std::string wanted;
    for (const std::u16string& piece : pieces) {
        wanted += ' ';
        wanted += Quoted(piece);
    }
    return Fail("not exactly " + std::to_string(count) + " note(s) showing" + wanted + " " + Within(step.timeout) +
                "; " + ShownNotes());
}

// Clicks the note's delete cross and answers "yes" to the question.
bool Delete(const Step& step) {
    const std::u16string& piece = step.arguments[0];
    HWND note = WaitForNoteShowing(piece, step.timeout);
    if (!note) return false;
    ScriptedUser user(ProcessOf(note));
    user.AnswerMessageBox(IDYES);
    RECT client{};
    GetClientRect(note, &client);
    const Rect cross = HeaderControlBox(HeaderControl::Delete, client.right);
    PostMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((cross.left + cross.right) / 2, (cross.top + cross.bottom) / 2));
    if (!user.WaitUntilDone(step.timeout)) {
        user.Forget();
        return Fail("the question before deleting the note did not show " + Within(step.timeout));
    }
    if (!PumpUntil([&] { return NoteShowing(piece) == nullptr; }, step.timeout)) {
        return Fail("the deleted note still shows " + Within(step.timeout));
    }
    if (!PumpUntil([&] { return !NoteFileHolds(piece); }, step.timeout)) {
        return Fail("the deleted note's file is still there " + Within(step.timeout));
    }
    return true;
}

// From the note's menu, "Nouvelle categorie..." with the name and colour
// given; the program files that note under it.
bool NewCategory(const Step& step) {
    const std::u16string& name = step.arguments[1];
    COLORREF colour = 0;
    if (!ParseColour(step.arguments[2], &colour)) return Fail("the colour is not RRGGBB");
    HWND note = WaitForNoteShowing(step.arguments[0], step.timeout);
    if (!note) return false;
    const int downs = DownsToNewCategory();
    if (downs < 0) return Fail("the note menu has no \"Nouvelle categorie...\"");
    ScriptedUser user(ProcessOf(note));
    std::vector<WORD> keys(static_cast<size_t>(downs), VK_DOWN);
    keys.push_back(VK_RETURN);
    user.WhenMenusOpen(1, keys);
    user.AnswerTextInput(name);
    user.AnswerColour(colour);
    RECT r{};
    GetWindowRect(note, &r);
    PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note),
                 MAKELPARAM(r.left + kMenuPointInNote, r.top + kMenuPointInNote));
    if (!user.WaitUntilDone(step.timeout)) {
        user.Forget();
        return Fail("the note menu, the name and the colour dialog were not all shown " + Within(step.timeout));
    }
    if (!PumpUntil([&] { return CategoriesFileNames(name); }, step.timeout)) {
        return Fail("categories.txt does not name " + Quoted(name) + " " + Within(step.timeout));
    }
    return true;
}

// Prints the note's look (see LookOf), once the screen has settled.
bool Look(const Step& step) {
    HWND note = WaitForNoteShowing(step.arguments[0], step.timeout);
    if (!note) return false;
    Raise(note);
    std::string look;
    int same = 0;
    const bool settled = PumpUntil(
        [&] {
            const std::string now = LookOf(note);
            same = now == look ? same + 1 : 1;
            look = now;
            return same >= kSettledLooks;
        },
        step.timeout);
    if (!settled) return Fail("the note's look kept changing " + Within(step.timeout));
    Say("look=" + look);
    return true;
}

bool WaitLook(const Step& step) {
    const std::u16string& piece = step.arguments[0];
    const std::string wanted = Utf8(step.arguments[1]);
    std::string seen = "no note shows it";
    HWND raised = nullptr;
    const bool alike = PumpUntil(
        [&] {
            HWND note = NoteShowing(piece);
            if (!note) return false;
            if (note != raised) Raise(note);
            raised = note;
            seen = LookOf(note);
            return seen == wanted;
        },
        step.timeout);
    if (alike) return true;
    return Fail("the note showing " + Quoted(piece) + " looks " + seen + ", not " + wanted + " " +
                Within(step.timeout) + " (header fingerprint-body colour: its title or colour differ)");
}

// For the latency measurement: says "watching", then waits for a note file
// holding the text to reach this machine's disk and, unless told "file",
// for a note to show it; prints when each happened (ms since 1970, "none"
// when not in time).
bool TimeArrival(const Step& step) {
    const std::u16string& piece = step.arguments[0];
    const bool fileOnly = step.arguments.size() > 1 && step.arguments[1] == u"file";
    Say("watching");
    std::string fileAt = "none";
    std::string shownAt = "none";
    PumpUntil(
        [&] {
            if (fileAt == "none" && NoteFileHolds(piece)) fileAt = NowMs();
            if (!fileOnly && shownAt == "none" && NoteShowing(piece)) shownAt = NowMs();
            return fileAt != "none" && (fileOnly || shownAt != "none");
        },
        step.timeout);
    Say("file-at=" + fileAt + " shown-at=" + shownAt);
    return fileAt != "none" && (fileOnly || shownAt != "none");
}

struct Command {
    const wchar_t* name;
    size_t fewestArguments;
    size_t mostArguments;
    bool (*run)(const Step&);
    const char* usage;
};

constexpr size_t kAny = 1000;

const Command kCommands[] = {
    {L"start", 0, 0, Start, "start                       start Quillboard (APPDATA from QB_SYNC_APPDATA), wait until up"},
    {L"quit", 0, 0, Quit, "quit                        its tray menu's quit; wait until it ends with exit code 0"},
    {L"kill", 0, 0, Kill, "kill                        end it at once, if it runs"},
    {L"new-note", 1, 1, NewNote, "new-note TEXT               a new note from the tray, TEXT typed into it and saved"},
    {L"type", 2, 2, Type, "type PIECE TEXT             the note showing PIECE gets TEXT as its text, saved"},
    {L"wait-note", 1, 1, WaitNote, "wait-note PIECE             until a note shows PIECE"},
    {L"wait-gone", 1, 1, WaitGone, "wait-gone PIECE             until no note shows PIECE"},
    {L"wait-notes", 1, kAny, WaitNotes, "wait-notes COUNT PIECE...   until exactly COUNT notes show, each PIECE in its own"},
    {L"delete", 1, 1, Delete, "delete PIECE                the note showing PIECE deleted with its cross, \"yes\" answered"},
    {L"new-category", 3, 3, NewCategory,
     "new-category PIECE NAME RRGGBB   a new category from that note's menu; the note is filed under it"},
    {L"look", 1, 1, Look, "look PIECE                  print look=HEADERFINGERPRINT-BODYCOLOUR of the note"},
    {L"wait-look", 2, 2, WaitLook, "wait-look PIECE LOOK        until the note showing PIECE looks so"},
    {L"time-arrival", 1, 2, TimeArrival,
     "time-arrival PIECE [file]   print when a note file holding PIECE arrived and when a note showed it"},
};

int Usage() {
    Say("usage: sync_driver [--timeout SECONDS] COMMAND ARGUMENTS...");
    for (const Command& command : kCommands) Say(std::string("  ") + command.usage);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Lines end in "\n" alone: the script reads them on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    Step step;
    int next = 1;
    if (next + 1 < argc && std::wcscmp(argv[next], L"--timeout") == 0) {
        step.timeout = Milliseconds(std::wcstoul(argv[next + 1], nullptr, 10) * 1000);
        next += 2;
    }
    if (next >= argc) return Usage();
    for (int i = next + 1; i < argc; ++i) step.arguments.push_back(FromWide(argv[i]));
    for (const Command& command : kCommands) {
        if (std::wcscmp(argv[next], command.name) != 0) continue;
        if (step.arguments.size() < command.fewestArguments || step.arguments.size() > command.mostArguments) break;
        return command.run(step) ? 0 : 1;
    }
    return Usage();
}

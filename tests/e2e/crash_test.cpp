// The program killed at random moments while it saves: every note file and
// "categories.txt" must always hold one whole version (the last written or
// the one being written, never a mix, a cut or only a ".tmp"), and the next
// start must show every note. QB_CRASH_KILLS sets the number of kills (20 by
// default, 500 for the long run of the README), QB_CRASH_SEQUENCE the random
// sequence (printed at the start, so that a failure can be replayed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "storage/categories_file.h"
#include "storage/note_file.h"
#include "win/wide.h"

namespace {

constexpr int kNotes = 20;
constexpr std::int32_t kWork = 1;      // "Travail", with the subcategory 3
constexpr std::int32_t kHome = 2;      // "Maison", renamed and recoloured by the test
constexpr std::int32_t kUrgent = 3;
constexpr auto kStepTimeout = std::chrono::milliseconds(5000);
constexpr auto kStartTimeout = std::chrono::milliseconds(30000);
constexpr char kEndMark[] = " END";  // a cut body never ends with it

int EnvironmentNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

std::u16string Utf16(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), WideBuffer(text), length);
    return text;
}

std::uint64_t NoteId(int note) {
    return static_cast<std::uint64_t>(note) + 1;
}

std::string StoredNote(int note, const std::string& body) {
    const std::int32_t category = note % 3 == 0 ? 0 : (note % 3 == 1 ? kWork : kHome);
    const std::string colour = category == kWork ? "FF0000" : (category == kHome ? "00C000" : "FFF6A0");
    return "X=" + std::to_string(40 + (note % 5) * 300) + "\r\nY=" + std::to_string(40 + (note / 5) * 220) +
           "\r\nW=240\r\nH=200\r\nCOLOR=#" + colour + "\r\nCAT=" + std::to_string(category) +
           "\r\nSUBCAT=" + std::to_string(category == kWork && note % 2 == 0 ? kUrgent : 0) + "\r\n---\r\n" + body;
}

// Everything the test ever asked the program to write; a file must hold
// exactly one of these versions.
struct History {
    std::vector<std::set<std::u16string>> bodies = std::vector<std::set<std::u16string>>(kNotes);
    std::set<std::u16string> homeNames{u"Maison"};
    std::set<ColourRef> homeColours{0x0000C000};
};

std::string FirstBodyUtf8(int note) {
    std::string body = "note ";
    body += std::to_string(note);
    body += " v0";
    body += kEndMark;
    return body;
}

class CrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        sequence_ = static_cast<unsigned>(
            EnvironmentNumber("QB_CRASH_SEQUENCE", static_cast<int>(GetTickCount() & 0xFFFF)));
        random_ = std::mt19937(sequence_);
        std::printf("crash test sequence %u\n", sequence_);
        for (int note = 0; note < kNotes; ++note) {
            history_.bodies[static_cast<std::size_t>(note)].insert(Utf16(FirstBodyUtf8(note)));
            data_.WriteNote(NoteId(note), StoredNote(note, FirstBodyUtf8(note)));
        }
        data_.Write(u"categories.txt",
                     "NEXTID|4\r\nCAT|1|FF0000|Travail\r\nSUB|1|3|Urgent\r\nCAT|2|00C000|Maison\r\n");
    }

    int Random(int below) { return static_cast<int>(random_() % static_cast<unsigned>(below)); }

    // The note index a window shows: every body starts with "note <n> ".
    static int NoteIndexOf(HWND window) {
        wchar_t text[64] = {};
        SendMessageW(GetDlgItem(window, kNoteEdit), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        int index = -1;
        return swscanf(text, L"note %d ", &index) == 1 ? index : -1;
    }

    void ChangeText(HWND window, int note, int kill, int step) {
        std::string body = "note ";
        body += std::to_string(note);
        body += " v";
        body += std::to_string(kill);
        body += "-";
        body += std::to_string(step);
        body += " ";
        body.append(static_cast<std::size_t>(Random(3000)), static_cast<char>('a' + Random(26)));
        body += kEndMark;
        const std::u16string text = Utf16(body);
        history_.bodies[static_cast<std::size_t>(note)].insert(text);
        HWND edit = GetDlgItem(window, kNoteEdit);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text)));
        // The edit losing the focus saves the note.
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kNoteEdit, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    }

    void Move(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        const int dx = Random(41) - 20;
        SetWindowPos(window, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessageW(window, WM_EXITSIZEMOVE, 0, 0);  // the end of a move saves the note
    }

    // "Gerer les categories..." > "Maison" > item: 1 rename, 2 colour.
    bool ManageHome(const QuillboardProcess& program, HWND note, int item) {
        RECT r{};
        GetWindowRect(note, &r);
        PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(r.left + 60, r.top + 60));
        const std::vector<std::vector<WORD>> levels = {
            std::vector<WORD>(10, VK_DOWN), {VK_DOWN}, std::vector<WORD>(static_cast<std::size_t>(item), VK_DOWN)};
        for (std::size_t level = 0; level < levels.size(); ++level) {
            const auto levelOpen = [&] { return VisibleWindows(program.Id(), kMenuClass).size() == level + 1; };
            if (!PumpUntil(levelOpen, kStepTimeout)) return false;
            std::vector<WORD> keys = levels[level];
            keys.push_back(level + 1 < levels.size() ? VK_RIGHT : VK_RETURN);
            PressKeys(keys);
        }
        return PumpUntil([&] { return VisibleWindows(program.Id(), kMenuClass).empty(); }, kStepTimeout);
    }

    void RenameHome(const QuillboardProcess& program, HWND note, int kill) {
        if (!ManageHome(program, note, 1)) return;
        HWND dialog = nullptr;
        if (!PumpUntil(
                [&] {
                    const std::vector<HWND> shown = VisibleWindows(program.Id(), kTextInputClass);
                    dialog = shown.empty() ? nullptr : shown.front();
                    return dialog != nullptr;
                },
                kStepTimeout)) {
            return;
        }
        std::string utf8Name = "Maison ";
        utf8Name += std::to_string(kill);
        const std::u16string name = Utf16(utf8Name);
        history_.homeNames.insert(name);
        SendMessageW(GetDlgItem(dialog, kTextInputEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(name)));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }

    void RecolourHome(const QuillboardProcess& program, HWND note) {
        if (!ManageHome(program, note, 2)) return;
        HWND dialog = nullptr;
        if (!PumpUntil(
                [&] {
                    for (HWND window : VisibleWindows(program.Id(), kDialogClass)) {
                        if (GetDlgItem(window, kColourDialogRedField)) dialog = window;
                    }
                    return dialog != nullptr;
                },
                kStepTimeout)) {
            return;
        }
        const int green = 0x40 + Random(0xC0);  // greens only: never another category's colour
        history_.homeColours.insert(static_cast<ColourRef>(green << 8));
        SetDlgItemInt(dialog, kColourDialogRedField, 0, FALSE);
        SetDlgItemInt(dialog, kColourDialogRedField + 1, static_cast<UINT>(green), FALSE);
        SetDlgItemInt(dialog, kColourDialogRedField + 2, 0, FALSE);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }

    // A burst of changes that each save, ending at a random moment.
    void DriveChanges(const QuillboardProcess& program, int kill) {
        std::vector<HWND> notes = program.Windows(kNoteClass);
        HWND tray = program.WaitForWindow(kTrayClass);
        const int steps = 1 + Random(8);
        for (int step = 0; step < steps; ++step) {
            HWND window = notes[static_cast<std::size_t>(Random(static_cast<int>(notes.size())))];
            const int note = NoteIndexOf(window);
            switch (Random(10)) {
            case 0: RenameHome(program, window, kill); break;
            case 1: RecolourHome(program, window); break;
            case 2: PostMessageW(tray, WM_QUERYENDSESSION, 0, 0); break;  // saves every note
            case 3:
            case 4: Move(window); break;
            default:
                if (note >= 0) ChangeText(window, note, kill, step);
                break;
            }
        }
        Sleep(static_cast<DWORD>(Random(40)));  // the kill lands anywhere in the saves
    }

    void ExpectWholeFiles(int kill) {
        for (int note = 0; note < kNotes; ++note) {
            const std::u16string path = data_.NotePath(NoteId(note));
            ASSERT_TRUE(FileExists(path)) << "kill " << kill << ": note " << note << " has no file";
            NoteFields fields;
            ParseNoteFile(Utf16(ReadRawFile(path)), fields);
            EXPECT_EQ(history_.bodies[static_cast<std::size_t>(note)].count(fields.body), 1u)
                << "kill " << kill << ": note " << note << " holds a text never written whole";
        }
        const std::u16string text = Utf16(ReadRawFile(data_.DataPath(u"categories.txt")));
        const CategoryStore store = ParseCategoriesFile(text);
        EXPECT_EQ(FormatCategoriesFile(store), text) << "kill " << kill << ": categories.txt is not whole";
        const Category* work = FindCategory(store, kWork);
        const Category* home = FindCategory(store, kHome);
        ASSERT_TRUE(work && home) << "kill " << kill << ": a category was lost";
        EXPECT_NE(FindSubcategory(store, kWork, kUrgent), nullptr);
        EXPECT_EQ(history_.homeNames.count(home->name), 1u) << "kill " << kill;
        EXPECT_EQ(history_.homeColours.count(home->colour), 1u) << "kill " << kill;
    }

    std::size_t TextsWritten() const {
        std::size_t count = 0;
        for (const auto& bodies : history_.bodies) count += bodies.size() - 1;
        return count;
    }

    DataFolder data_;
    History history_;
    std::mt19937 random_;
    unsigned sequence_ = 0;
};

}  // namespace

TEST_F(CrashTest, KilledWhileSavingItLosesNoNoteAndLeavesEveryFileWhole) {
    const int kills = EnvironmentNumber("QB_CRASH_KILLS", 20);
    for (int kill = 1; kill <= kills; ++kill) {
        QuillboardProcess program(data_.AppData());
        ASSERT_TRUE(program.Started());
        // A restart shows every note.
        ASSERT_TRUE(program.WaitForWindowCount(kNoteClass, kNotes, kStartTimeout)) << "kill " << kill;
        DriveChanges(program, kill);
        TerminateProcess(program.Handle(), 1);
        WaitForSingleObject(program.Handle(), 10000);
        ExpectWholeFiles(kill);
        if (HasFatalFailure()) return;
    }
    std::printf("%d kills survived: %zu texts, %zu names and %zu colours of a category were written\n", kills,
                TextsWritten(), history_.homeNames.size() - 1, history_.homeColours.size() - 1);
}

// The program killed at random moments while it saves: every note file and
// "categories.txt" must always hold one whole version (the last written or
// the one being written, never a mix, a cut or only a ".tmp"), and the next
// start must show every note. QB_CRASH_KILLS sets the number of kills (20 by
// default, 500 for the long run of the README), QB_CRASH_SEQUENCE the random
// sequence (printed at the start, so that a failure can be replayed).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "storage/core/categories_file.h"
#include "storage/core/note_file.h"
#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/scripted_user.h"
#include "win/wide.h"

namespace {

constexpr int kNotes = 20;
constexpr std::int32_t kWork = 1;  // "Travail", with the subcategory 3
constexpr std::int32_t kHome = 2;  // "Maison", renamed and recoloured by the test
constexpr std::int32_t kUrgent = 3;
constexpr auto kChangeTimeout = std::chrono::milliseconds(4000);  // less than the scripted user's patience
constexpr auto kStartTimeout = std::chrono::milliseconds(30000);

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

// "note <n> v<version> ... END": a cut body never ends with the mark.
std::string Body(int note, const std::string& version) {
    return std::string("note ") + std::to_string(note) + " v" + version + " END";
}

// A third of the notes in no category, a third in "Travail" (every other
// one in "Urgent") and a third in "Maison", each in its category's colour.
std::string StoredNote(int note) {
    const struct {
        std::int32_t category;
        const char* colour;
    } filings[] = {{0, "FFF6A0"}, {kWork, "FF0000"}, {kHome, "00C000"}};
    const auto& filed = filings[note % 3];
    return NoteFileText({.x = 40 + (note % 5) * 300, .y = 40 + (note / 5) * 220, .colour = filed.colour,
                         .category = filed.category,
                         .subcategory = filed.category == kWork && note % 2 == 0 ? kUrgent : 0,
                         .body = Body(note, "0")});
}

std::uint64_t NoteId(int note) {
    return static_cast<std::uint64_t>(note) + 1;
}

// The note index a window shows, or -1.
int NoteIndexOf(HWND window) {
    wchar_t text[64] = {};
    SendMessageW(GetDlgItem(window, kNoteEdit), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    int index = -1;
    return swscanf(text, L"note %d ", &index) == 1 ? index : -1;
}

class CrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        sequence_ = static_cast<unsigned>(
            EnvironmentNumber("QB_CRASH_SEQUENCE", static_cast<int>(GetTickCount() & 0xFFFF)));
        random_ = std::mt19937(sequence_);
        std::printf("crash test sequence %u\n", sequence_);
        for (int note = 0; note < kNotes; ++note) {
            bodies_[static_cast<std::size_t>(note)].insert(Utf16(Body(note, "0")));
            data_.WriteNote(NoteId(note), StoredNote(note));
        }
        data_.Write(u"categories.txt",
                    "NEXTID|4\r\nCAT|1|FF0000|Travail\r\nSUB|1|3|Urgent\r\nCAT|2|00C000|Maison\r\n");
    }

    int Random(int below) { return static_cast<int>(random_() % static_cast<unsigned>(below)); }

    void ChangeText(HWND window, int note, const std::string& version) {
        const std::string filler(static_cast<std::size_t>(Random(3000)), static_cast<char>('a' + Random(26)));
        const std::u16string text = Utf16(Body(note, version + " " + filler));
        bodies_[static_cast<std::size_t>(note)].insert(text);
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

    // "Gérer les catégories…" > "Maison" > item (1 rename, 2 colour), then
    // the dialog answered as told; a change that does not come about is skipped.
    void ChangeHome(const QuillboardProcess& program, HWND note, std::size_t item,
                    const std::function<void(ScriptedUser&)>& answer) {
        ScriptedUser user(program.Id());
        std::vector<WORD> toManage(10, VK_DOWN);
        toManage.push_back(VK_RIGHT);
        std::vector<WORD> toItem(item, VK_DOWN);
        toItem.push_back(VK_RETURN);
        user.WhenMenusOpen(1, toManage);
        user.WhenMenusOpen(2, {VK_DOWN, VK_RIGHT});
        user.WhenMenusOpen(3, toItem);
        answer(user);
        RECT r{};
        GetWindowRect(note, &r);
        PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(r.left + 60, r.top + 60));
        if (!user.WaitUntilDone(kChangeTimeout)) user.Forget();
    }

    void RenameHome(const QuillboardProcess& program, HWND note, int kill) {
        const std::u16string name = Utf16(std::string("Maison ") + std::to_string(kill));
        homeNames_.insert(name);
        ChangeHome(program, note, 1, [&](ScriptedUser& user) { user.AnswerTextInput(name); });
    }

    void RecolourHome(const QuillboardProcess& program, HWND note) {
        const int green = 0x40 + Random(0xC0);  // greens only: never another category's colour
        homeColours_.insert(RGB(0, green, 0));
        ChangeHome(program, note, 2, [&](ScriptedUser& user) { user.AnswerColour(RGB(0, green, 0)); });
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
                if (note >= 0) ChangeText(window, note, std::to_string(kill) + "-" + std::to_string(step));
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
            EXPECT_EQ(bodies_[static_cast<std::size_t>(note)].count(fields.body), 1u)
                << "kill " << kill << ": note " << note << " holds a text never written whole";
        }
        const std::u16string text = Utf16(ReadRawFile(data_.DataPath(u"categories.txt")));
        const CategoryStore store = ParseCategoriesFile(text);
        EXPECT_EQ(FormatCategoriesFile(store), text) << "kill " << kill << ": categories.txt is not whole";
        const Category* work = FindCategory(store, kWork);
        const Category* home = FindCategory(store, kHome);
        ASSERT_TRUE(work && home) << "kill " << kill << ": a category was lost";
        EXPECT_NE(FindSubcategory(store, kWork, kUrgent), nullptr);
        EXPECT_EQ(homeNames_.count(home->name), 1u) << "kill " << kill;
        EXPECT_EQ(homeColours_.count(home->colour), 1u) << "kill " << kill;
    }

    std::size_t TextsWritten() const {
        std::size_t count = 0;
        for (const auto& bodies : bodies_) count += bodies.size() - 1;
        return count;
    }

    DataFolder data_;
    // Everything the test ever asked the program to write; a file must hold
    // exactly one of these versions.
    std::vector<std::set<std::u16string>> bodies_ = std::vector<std::set<std::u16string>>(kNotes);
    std::set<std::u16string> homeNames_{u"Maison"};
    std::set<ColourRef> homeColours_{0x0000C000};
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
                TextsWritten(), homeNames_.size() - 1, homeColours_.size() - 1);
}

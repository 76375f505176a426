// Categories against the real program, driven from outside as a user would:
// the note's menu walked with keys, the name dialog, the colour dialog and
// the question box answered, and the files checked after every step.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "quillboard_process.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kInputClass[] = L"QuillboardSaisie";
constexpr UINT kQuitCommand = 1002;
constexpr int kInputEditId = 100;
constexpr int kColourRedEditId = 706;  // then green 707 and blue 708
constexpr auto kStepTimeout = std::chrono::milliseconds(5000);

// A file's size and write time, read without opening it: the program saves
// by moving a new file over the old one, which fails while anyone has the old
// one open, so the test opens a file only once the program is done with it.
struct FileStamp {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG written = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return {};
    return FileStamp{true, (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                     (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

std::string NoteText(int x, const std::string& colour, int category, int subcategory, const std::string& body) {
    return "X=" + std::to_string(x) + "\r\nY=200\r\nW=240\r\nH=200\r\nCOLOR=#" + colour +
           "\r\nCAT=" + std::to_string(category) + "\r\nSUBCAT=" + std::to_string(subcategory) +
           "\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\n" + body;
}

HWND NoteAt(const QuillboardProcess& program, int left) {
    for (HWND note : program.Windows(kNoteClass)) {
        RECT r{};
        GetWindowRect(note, &r);
        if (r.left == left) return note;
    }
    return nullptr;
}

std::vector<HWND> VisibleWindows(const QuillboardProcess& program, const wchar_t* className) {
    std::vector<HWND> visible;
    for (HWND window : program.Windows(className)) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

std::vector<WORD> Downs(int count) {
    return std::vector<WORD>(static_cast<size_t>(count), VK_DOWN);
}

std::vector<WORD> operator+(std::vector<WORD> keys, const std::vector<WORD>& more) {
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

// The keys to press once exactly `depth` menu levels are open.
using MenuStep = std::pair<size_t, std::vector<WORD>>;

class CategoriesProgram : public ::testing::Test {
protected:
    // "Travail" (id 1) with its subcategory "Urgent" (id 2); a note filed
    // under it and one uncategorised note.
    void SetUp() override {
        data_.WriteNote(u"0000000000000001", kFiledNote);
        data_.WriteNote(u"0000000000000002", NoteText(700, "FFF6A0", 0, 0, "libre"));
        WriteRawFile(data_.DataPath(u"categories.txt"), kStartCategories);
        program_ = std::make_unique<QuillboardProcess>(data_.AppData());
        ASSERT_TRUE(program_->WaitForWindowCount(kNoteClass, 2));
        filed_ = NoteAt(*program_, 300);
        loose_ = NoteAt(*program_, 700);
        ASSERT_NE(filed_, nullptr);
        ASSERT_NE(loose_, nullptr);
    }

    void TearDown() override {
        if (!program_ || !program_->Running()) return;
        HWND tray = program_->WaitForWindow(kTrayClass);
        PostMessageW(tray, WM_COMMAND, kQuitCommand, 0);
        DWORD exitCode = 1;
        EXPECT_TRUE(program_->WaitForExit(&exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    // Opens the note's menu as a right click at a point inside it would, then
    // presses each step's keys once that many menu levels are open.
    void ChooseFromMenu(HWND note, const std::vector<MenuStep>& steps) {
        RECT r{};
        GetWindowRect(note, &r);
        PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(r.left + 60, r.top + 60));
        for (const MenuStep& step : steps) {
            ASSERT_TRUE(PumpUntil([&] { return VisibleWindows(*program_, kMenuClass).size() == step.first; },
                                  kStepTimeout))
                << "menu level " << step.first;
            PressKeys(step.second);
        }
        ASSERT_TRUE(PumpUntil([&] { return VisibleWindows(*program_, kMenuClass).empty(); }, kStepTimeout));
    }

    // Types the name into the name dialog and presses OK; returns the text
    // the dialog opened with.
    std::u16string AnswerName(const std::u16string& name) {
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (dialog = VisibleInput()) != nullptr; }, kStepTimeout));
        if (!dialog) return u"(no dialog)";
        HWND edit = GetDlgItem(dialog, kInputEditId);
        wchar_t initial[256] = {};  // WM_GETTEXT: GetWindowText does not ask another process's controls
        SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(initial));
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(name)));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, kStepTimeout));
        return FromWide(initial);
    }

    // Types the colour into the colour dialog's red, green and blue fields
    // and confirms it.
    void AnswerColour(COLORREF colour) {
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (dialog = VisibleColourDialog()) != nullptr; }, kStepTimeout));
        SetDlgItemInt(dialog, kColourRedEditId, GetRValue(colour), FALSE);
        SetDlgItemInt(dialog, kColourRedEditId + 1, GetGValue(colour), FALSE);
        SetDlgItemInt(dialog, kColourRedEditId + 2, GetBValue(colour), FALSE);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, kStepTimeout));
    }

    void AnswerQuestion(UINT answer) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] {
                for (HWND window : VisibleWindows(*program_, kDialogClass)) {
                    if (!GetDlgItem(window, kColourRedEditId)) box = window;
                }
                return box != nullptr;
            },
            kStepTimeout));
        EXPECT_EQ(WindowTextOf(box), u"Quillboard");
        PostMessageW(box, WM_COMMAND, answer, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, kStepTimeout));
    }

    struct Stamps {
        FileStamp categories;
        FileStamp loose;
    };

    Stamps StampsNow() const {
        return {StampOf(data_.DataPath(u"categories.txt")), StampOf(LoosePath())};
    }

    // Waits until the step has rewritten "categories.txt" and, when its text
    // is to change, the loose note after it (a note losing the focus to a
    // dialog may have been saved unchanged before), with no save still under
    // way; then compares the files byte for byte.
    void ExpectFiles(const Stamps& before, const std::string& categories, const std::string& looseNote,
                     const std::string& looseBefore) {
        const bool looseChanges = looseNote != looseBefore;
        const bool settled = PumpUntil(
            [&] {
                const Stamps now = StampsNow();
                return now.categories != before.categories && now.categories.size == categories.size() &&
                       (!looseChanges || now.loose.written > now.categories.written) &&
                       now.loose.size == looseNote.size() &&
                       !FileExists(data_.DataPath(u"categories.txt.tmp")) && !FileExists(LoosePath() + u".tmp");
            },
            kStepTimeout);
        EXPECT_TRUE(settled);
        EXPECT_EQ(Categories(), categories);
        EXPECT_EQ(LooseFile(), looseNote);
        EXPECT_EQ(FiledFile(), kFiledNote);
    }

    std::u16string LoosePath() const { return data_.NotePath(u"0000000000000002"); }
    std::string Categories() const { return ReadRawFile(data_.DataPath(u"categories.txt")); }
    std::string LooseFile() const { return ReadRawFile(LoosePath()); }
    std::string FiledFile() const { return ReadRawFile(data_.NotePath(u"0000000000000001")); }

    static constexpr char kStartCategories[] = "NEXTID|3\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n";
    inline static const std::string kFiledNote = NoteText(300, "FFCC66", 1, 2, "rapport");

    PreparedAppData data_;
    std::unique_ptr<QuillboardProcess> program_;
    HWND filed_ = nullptr;
    HWND loose_ = nullptr;

private:
    HWND VisibleInput() const {
        const auto inputs = VisibleWindows(*program_, kInputClass);
        return inputs.empty() ? nullptr : inputs.front();
    }
    HWND VisibleColourDialog() const {
        for (HWND window : VisibleWindows(*program_, kDialogClass)) {
            if (GetDlgItem(window, kColourRedEditId)) return window;
        }
        return nullptr;
    }
};

// The note menu with "Travail", "Urgent" and a second category: type,
// separator, "Non-categorise", separator, the three filing items, separator,
// "Nouvelle categorie...", "Gerer les categories..." (item 9). Inside it the
// second category is item 1; in its submenu "Renommer la categorie..." is
// item 1, "Couleur..." item 2 and "Supprimer la categorie" item 3.
std::vector<MenuStep> ManageSecondCategory(int itemInItsSubmenu) {
    return {{1, Downs(10) + std::vector<WORD>{VK_RIGHT}},
            {2, Downs(1) + std::vector<WORD>{VK_RIGHT}},
            {3, Downs(itemInItsSubmenu) + std::vector<WORD>{VK_RETURN}}};
}

}  // namespace

TEST_F(CategoriesProgram, CreateRecolourRenameAndDeleteACategoryFromTheNoteMenu) {
    const std::string looseAtStart = LooseFile();

    // Create "Maison" from the uncategorised note ("Nouvelle categorie..." is
    // item 7, the eighth, while there is one category with one subcategory).
    Stamps before = StampsNow();
    ChooseFromMenu(loose_, {{1, Downs(8) + std::vector<WORD>{VK_RETURN}}});
    EXPECT_EQ(AnswerName(u"Maison"), u"");
    AnswerColour(RGB(0xA0, 0xE0, 0xFF));
    const std::string looseInMaison = NoteText(700, "A0E0FF", 3, 0, "libre");
    ExpectFiles(before, "NEXTID|4\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\nCAT|3|A0E0FF|Maison\r\n",
                looseInMaison, looseAtStart);

    // Recolour it: its note takes the colour.
    before = StampsNow();
    ChooseFromMenu(loose_, ManageSecondCategory(2));
    AnswerColour(RGB(0x30, 0x60, 0x90));
    const std::string looseRecoloured = NoteText(700, "306090", 3, 0, "libre");
    ExpectFiles(before, "NEXTID|4\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\nCAT|3|306090|Maison\r\n",
                looseRecoloured, looseInMaison);

    // Rename it: the notes keep their files.
    before = StampsNow();
    ChooseFromMenu(filed_, ManageSecondCategory(1));
    EXPECT_EQ(AnswerName(u"Loisirs"), u"Maison");
    ExpectFiles(before, "NEXTID|4\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\nCAT|3|306090|Loisirs\r\n",
                looseRecoloured, looseRecoloured);

    // Delete it: its note stays in its colour, uncategorised.
    before = StampsNow();
    ChooseFromMenu(filed_, ManageSecondCategory(3));
    AnswerQuestion(IDYES);
    const std::string looseUncategorised = NoteText(700, "306090", 0, 0, "libre");
    ExpectFiles(before, "NEXTID|4\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n", looseUncategorised,
                looseRecoloured);

    // Quitting writes the same files again.
    TearDown();
    EXPECT_EQ(Categories(), "NEXTID|4\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n");
    EXPECT_EQ(LooseFile(), looseUncategorised);
    EXPECT_EQ(FiledFile(), kFiledNote);
}

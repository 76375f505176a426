// Categories against the real program, driven from outside as a user would:
// the note's menu walked with keys, the name dialog, the colour dialog and
// the question box answered, and the files checked after every step.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/scripted_user.h"
#include "support/window_checks.h"
#include "win/wide.h"

namespace {

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

std::string StoredNote(int x, const std::string& colour, int category, int subcategory, const std::string& body) {
    return NoteFileText({.x = x, .y = 200, .colour = colour, .category = category, .subcategory = subcategory,
                         .body = body});
}

HWND NoteAt(const QuillboardProcess& program, int left) {
    for (HWND note : program.Windows(kNoteClass)) {
        if (WindowRect(note).left == left) return note;
    }
    return nullptr;
}

std::vector<WORD> Downs(int count, WORD last) {
    std::vector<WORD> keys(static_cast<size_t>(count), VK_DOWN);
    keys.push_back(last);
    return keys;
}

// The note menu with "Travail", "Urgent" and a second category: type,
// separator, "Non catégorisé", separator, the three filing items, separator,
// "Nouvelle catégorie…", "Gérer les catégories…" (item 9). Inside it the
// second category is item 1; in its submenu "Couleur…" is item 2 and
// "Supprimer la catégorie" item 3.
void ManageSecondCategory(ScriptedUser& user, int itemInItsSubmenu) {
    user.WhenMenusOpen(1, Downs(10, VK_RIGHT));
    user.WhenMenusOpen(2, Downs(1, VK_RIGHT));
    user.WhenMenusOpen(3, Downs(itemInItsSubmenu, VK_RETURN));
}

class CategoriesProgram : public ::testing::Test {
protected:
    // "Travail" (id 1) with its subcategory "Urgent" (id 2); a note filed
    // under it and one uncategorised note.
    void SetUp() override {
        data_.Write(u"langue.txt", "fr");  // the texts the steps expect
        data_.WriteNote(1, kFiledNote);
        data_.WriteNote(2, looseBefore_);
        data_.Write(u"categories.txt", kStartCategories);
        program_ = std::make_unique<QuillboardProcess>(data_.AppData());
        ASSERT_TRUE(program_->WaitForWindowCount(kNoteClass, 2));
        filed_ = NoteAt(*program_, 300);
        loose_ = NoteAt(*program_, 700);
        ASSERT_NE(filed_, nullptr);
        ASSERT_NE(loose_, nullptr);
    }

    void TearDown() override {
        if (program_ && program_->Running()) program_->QuitThroughTray();
    }

    // Opens the note's menu as a right click at a point inside it would, and
    // lets the user take the scripted steps through the menu and dialogs.
    void Choose(HWND note, const std::function<void(ScriptedUser&)>& script) {
        before_ = StampsNow();
        ScriptedUser user(program_->Id());
        script(user);
        const Rect r = WindowRect(note);
        PostMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(r.left + 60, r.top + 60));
        EXPECT_TRUE(user.WaitUntilDone(kStepTimeout));
        EXPECT_TRUE(PumpUntil([&] { return user.OpenMenus().empty(); }, kStepTimeout));
    }

    struct Stamps {
        FileStamp categories;
        FileStamp loose;
    };

    Stamps StampsNow() const {
        return {StampOf(data_.DataPath(u"categories.txt")), StampOf(data_.NotePath(2))};
    }

    // Waits until the step has rewritten "categories.txt" and, when its text
    // is to change, the loose note after it (a note losing the focus to a
    // dialog may have been saved unchanged before), with no save still under
    // way; then compares the files byte for byte.
    void ExpectFiles(const std::string& categories, const std::string& looseNote) {
        const bool looseChanges = looseNote != looseBefore_;
        const bool settled = PumpUntil(
            [&] {
                const Stamps now = StampsNow();
                return now.categories != before_.categories && now.categories.size == categories.size() &&
                       (!looseChanges || now.loose.written > now.categories.written) &&
                       now.loose.size == looseNote.size() && !FileExists(data_.DataPath(u"categories.txt.tmp")) &&
                       !FileExists(data_.NotePath(2) + u".tmp");
            },
            kStepTimeout);
        EXPECT_TRUE(settled);
        EXPECT_EQ(Categories(), categories);
        EXPECT_EQ(LooseFile(), looseNote);
        EXPECT_EQ(FiledFile(), kFiledNote);
        looseBefore_ = looseNote;
    }

    std::string Categories() const { return data_.Read(u"categories.txt"); }
    std::string LooseFile() const { return data_.ReadNote(2); }
    std::string FiledFile() const { return data_.ReadNote(1); }

    static constexpr char kStartCategories[] = "NEXTID|3\r\nCAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n";
    inline static const std::string kFiledNote = StoredNote(300, "FFCC66", 1, 2, "rapport");

    DataFolder data_;
    std::unique_ptr<QuillboardProcess> program_;
    HWND filed_ = nullptr;
    HWND loose_ = nullptr;
    Stamps before_;
    std::string looseBefore_ = StoredNote(700, "FFF6A0", 0, 0, "libre");
};

}  // namespace

// Each command is tested with every file it writes in the in-process
// tests; here the real program's menus and dialogs are walked to them.
TEST_F(CategoriesProgram, CreateRecolourAndDeleteACategoryFromTheNoteMenu) {
    // Create "Maison" from the uncategorised note ("Nouvelle catégorie…" is
    // item 7, the eighth, while there is one category with one subcategory).
    Seen name;
    Choose(loose_, [&](ScriptedUser& user) {
        user.WhenMenusOpen(1, Downs(8, VK_RETURN));
        user.AnswerTextInput(u"Maison", &name);
        user.AnswerColour(RGB(0xA0, 0xE0, 0xFF));
    });
    EXPECT_EQ(name.title, u"Nouvelle catégorie");
    EXPECT_EQ(name.text, u"");
    // A new id lies a random step above NEXTID, so that two machines sharing
    // the folder rarely pick the same one.
    ASSERT_TRUE(PumpUntil([&] { return Categories().find("|Maison\r\n") != std::string::npos; }, kStepTimeout));
    const std::size_t idStart = Categories().find("CAT|", Categories().find("Urgent")) + 4;
    const int id = std::stoi(Categories().substr(idStart));
    EXPECT_GE(id, 3);
    EXPECT_LT(id, 3 + 4096);
    const std::string maison = "CAT|" + std::to_string(id) + "|";
    const std::string nextId = "NEXTID|" + std::to_string(id + 1) + "\r\n";
    ExpectFiles(nextId + "CAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n" + maison + "A0E0FF|Maison\r\n",
                StoredNote(700, "A0E0FF", id, 0, "libre"));

    // Recolour it: its note takes the colour.
    Choose(loose_, [&](ScriptedUser& user) {
        ManageSecondCategory(user, 2);
        user.AnswerColour(RGB(0x30, 0x60, 0x90));
    });
    ExpectFiles(nextId + "CAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n" + maison + "306090|Maison\r\n",
                StoredNote(700, "306090", id, 0, "libre"));

    // Delete it from the other note's menu: its note stays in its colour,
    // uncategorised.
    Seen question;
    Choose(filed_, [&](ScriptedUser& user) {
        ManageSecondCategory(user, 3);
        user.AnswerMessageBox(IDYES, &question);
    });
    EXPECT_EQ(question.title, u"Quillboard");
    const std::string looseUncategorised = StoredNote(700, "306090", 0, 0, "libre");
    ExpectFiles(nextId + "CAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n", looseUncategorised);

    // Quitting leaves the same files.
    program_->QuitThroughTray();
    EXPECT_EQ(Categories(), nextId + "CAT|1|FFCC66|Travail\r\nSUB|1|2|Urgent\r\n");
    EXPECT_EQ(LooseFile(), looseUncategorised);
    EXPECT_EQ(FiledFile(), kFiledNote);
}

// Every category command with its dialogs answered by the scripted user from
// their own modal loops, and the start-up reconciliation of notes with the
// categories they name.
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "categories/category_menu.h"
#include "categories/core/category_menu_model.h"
#include "category_scene.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/core/categories_file.h"
#include "storage/core/note_file.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "win/handles.h"
#include "win/wide.h"

// The commands, with their dialogs answered. Every command runs from the
// menu of one note among notes filed in both categories and outside them.
// The first table holds the commands that must change nothing, the second
// those that succeed, each with every file it writes, byte for byte.

namespace {

// One dialog a command opens: what it must show, and the user's answer.
struct Dialog {
    enum class Kind { Name, Colour, Warning, Question } kind;
    enum class Reply { Confirm, Cancel, CloseCross } reply = Reply::Confirm;
    std::u16string title{};             // Name, Warning, Question: its title
    std::u16string text{};              // Name: the text it opens with; Warning, Question: the message
    ColourRef colour = 0;               // Colour: the colour it opens with
    std::u16string typed{};             // Name: what the user types
    std::optional<ColourRef> chosen{};  // Colour: what the user types, if anything
};
using Kind = Dialog::Kind;
using Reply = Dialog::Reply;

Dialog Name(std::u16string title, std::u16string opensWith, std::u16string typed) {
    return {Kind::Name, Reply::Confirm, std::move(title), std::move(opensWith), 0, std::move(typed)};
}
Dialog NameCancelled(std::u16string title, std::u16string opensWith, Reply how = Reply::Cancel) {
    return {Kind::Name, how, std::move(title), std::move(opensWith)};
}
Dialog Colour(ColourRef opensWith, std::optional<ColourRef> chosen, Reply reply = Reply::Confirm) {
    return {Kind::Colour, reply, u"", u"", opensWith, u"", chosen};
}
Dialog ColourCancelled(ColourRef opensWith) {
    return Colour(opensWith, std::nullopt, Reply::Cancel);
}
Dialog Warning(std::u16string message) {
    return {Kind::Warning, Reply::Confirm, u"Quillboard", std::move(message)};
}
Dialog Question(std::u16string message, Reply reply) {
    return {Kind::Question, reply, u"Quillboard", std::move(message)};
}

constexpr char16_t kNewCategory[] = u"Nouvelle catégorie";
constexpr char16_t kNewSubcategory[] = u"Nouvelle sous-catégorie";
constexpr char16_t kRenameCategory[] = u"Renommer la catégorie";
constexpr char16_t kRenameSubcategory[] = u"Renommer la sous-catégorie";
constexpr char16_t kColourTaken[] = u"Cette couleur est déjà utilisée par une autre catégorie.";
constexpr char16_t kIdsUsedUp[] = u"Impossible de créer une autre catégorie\u00A0: le nombre maximal d'identifiants est atteint.";
constexpr char16_t kDeleteCategory[] = u"Supprimer cette catégorie\u00A0? Ses notes deviendront non catégorisées.";
constexpr char16_t kDeleteSubcategory[] = u"Supprimer cette sous-catégorie\u00A0?";
constexpr auto kYes = Reply::Confirm;
constexpr auto kNo = Reply::Cancel;

// The notes of every command: in a subcategory, in each category, outside
// them, and the note whose menu the commands come from (unless said otherwise).
constexpr std::uint64_t kUrgentNote = 11;
constexpr std::uint64_t kWorkNote = 12;
constexpr std::uint64_t kHomeNote = 13;
constexpr std::uint64_t kLooseNote = 14;
constexpr std::uint64_t kMenuNote = 15;
const TestNote kScene[] = {
    {.id = kUrgentNote, .x = 100, .y = 100, .colour = kWorkColour, .category = kWork, .subcategory = kUrgent,
     .text = u"texte"},
    {.id = kWorkNote, .x = 400, .y = 100, .colour = kWorkColour, .category = kWork, .text = u"texte"},
    {.id = kHomeNote, .x = 700, .y = 100, .colour = kHomeColour, .category = kHome, .text = u"texte"},
    {.id = kLooseNote, .x = 1000, .y = 100, .colour = 0x00C0C0C0, .text = u"texte"},
    {.id = kMenuNote, .x = 100, .y = 400, .text = u"texte"},
};

using NoteFiles = std::vector<std::pair<std::uint64_t, std::string>>;

// The file a scene note has as long as it is as it was made.
std::string UnchangedFile(const TestNote& note) {
    char colour[8] = {};
    wsprintfA(colour, "%02X%02X%02X", GetRValue(note.colour), GetGValue(note.colour), GetBValue(note.colour));
    return NoteFileText({.x = note.x, .y = note.y, .colour = colour, .category = note.category,
                         .subcategory = note.subcategory, .body = "texte"});
}

// ASCII text as the core holds it.
std::u16string Utf16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

class CategoryCommands : public CategoryMenu {
protected:
    // The two categories (unless left out) and the scene's notes, painted.
    // The note that runs the command has its own file: it may be saved,
    // unchanged, as it loses the focus to a dialog. Every other note has a
    // marker file that any save would replace. Then the user answers the
    // dialogs as the command opens them.
    void Run(UINT command, const std::vector<Dialog>& dialogs, std::uint64_t runner, bool withoutCategories = false,
             bool idsUsedUp = false) {
        if (!withoutCategories) UseTwoCategories();
        for (const TestNote& note : kScene) {
            if (withoutCategories && note.category != 0) continue;
            windows_[note.id] = MakeNote(note);
            Data().WriteNote(note.id, note.id == runner ? UnchangedFile(note) : kUntouched);
            AdoptFile(windows_[note.id]);
        }
        for (const auto& [id, window] : windows_) UpdateWindow(window);
        if (idsUsedUp) Categories().nextId = kCategoryIdLimit;
        storeBefore_ = Categories();
        std::vector<Seen> seen(dialogs.size());
        for (size_t i = 0; i < dialogs.size(); ++i) Answer(dialogs[i], &seen[i]);
        RunCategoryMenuCommand(windows_[runner], command);

        EXPECT_EQ(user_.StepsLeft(), 0u) << "a dialog was not shown";
        user_.Forget();
        for (size_t i = 0; i < dialogs.size(); ++i) ExpectShown(dialogs[i], seen[i]);
        EXPECT_EQ(user_.ColourDialog(), nullptr);
        EXPECT_EQ(user_.TextInput(), nullptr);
        EXPECT_EQ(user_.MessageBoxWindow(), nullptr);
        // However a dialog closes, the activation goes back to the note that
        // asked, never to another note (which would save it as it lost it again).
        if (std::any_of(dialogs.begin(), dialogs.end(), [](const Dialog& d) { return d.kind == Kind::Name; })) {
            EXPECT_EQ(GetActiveWindow(), windows_[runner]);
        }
    }

    void Answer(const Dialog& dialog, Seen* seen) {
        const bool confirm = dialog.reply == Reply::Confirm;
        switch (dialog.kind) {
        case Kind::Name:
            if (confirm) {
                user_.AnswerTextInput(dialog.typed, seen);
            } else if (dialog.reply == Reply::Cancel) {
                user_.CancelTextInput(seen);
            } else {  // the close cross in the dialog's title band
                user_.WhenShown(kTextInputClass, [seen](HWND input) {
                    *seen = Seen{true, WindowTextOf(input), ControlTextOf(GetDlgItem(input, kTextInputEdit))};
                    RECT client{};
                    GetClientRect(input, &client);
                    PostMessageW(input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 13, 15));
                });
            }
            break;
        case Kind::Colour: confirm ? user_.AnswerColour(dialog.chosen, seen) : user_.CancelColour(seen); break;
        case Kind::Warning: user_.AnswerMessageBox(IDOK, seen); break;
        case Kind::Question: user_.AnswerMessageBox(confirm ? IDYES : IDNO, seen); break;
        }
    }

    static void ExpectShown(const Dialog& dialog, const Seen& shown) {
        ASSERT_TRUE(shown.shown);
        if (dialog.kind == Kind::Colour) {
            EXPECT_EQ(shown.colour, dialog.colour);
            EXPECT_TRUE(shown.customPartOpen);
            return;
        }
        EXPECT_EQ(shown.title, dialog.title);
        EXPECT_EQ(shown.text, dialog.text);
        if (dialog.kind != Kind::Name) {
            EXPECT_EQ(shown.icon, LoadIconW(nullptr, dialog.kind == Kind::Warning ? IDI_WARNING : IDI_QUESTION));
        }
    }

    // Every note other than those named is as it was made, in its window
    // and in its file; the named ones hold what their files say.
    void ExpectNotes(std::uint64_t runner, const NoteFiles& written) {
        for (const TestNote& note : kScene) {
            if (!windows_.contains(note.id)) continue;
            SCOPED_TRACE(note.id);
            HWND window = windows_[note.id];
            std::string file = note.id == runner ? UnchangedFile(note) : kUntouched;
            std::string held = UnchangedFile(note);
            for (const auto& [id, text] : written) {
                if (id == note.id) file = held = text;
            }
            EXPECT_EQ(NoteFile(note.id), file);
            const Note* record = NoteFromWindow(window);
            EXPECT_EQ(FormatNoteFile(*record, WindowRect(window), NoteText(window)), Utf16(held));
            LOGBRUSH brush{};
            GetObjectW(NoteBackgroundBrush(window), sizeof(brush), &brush);
            EXPECT_EQ(brush.lbColor, record->colour);
        }
    }

    std::map<std::uint64_t, HWND> windows_;
    CategoryStore storeBefore_;
};

struct RefusedCommand {
    const char* name;
    UINT command;
    std::vector<Dialog> dialogs;
    bool idsUsedUp = false;
};

const RefusedCommand kRefusedCommands[] = {
    {"NewCategoryNameCancelled", kCommandNewCategory, {NameCancelled(kNewCategory, u"")}},
    {"NewCategoryWithoutAName", kCommandNewCategory, {Name(kNewCategory, u"", u"")}},
    {"NewCategoryColourCancelled", kCommandNewCategory,
     {Name(kNewCategory, u"", u"Loisirs"), ColourCancelled(kDefaultNoteColour)}},
    {"NewCategoryInAColourAlreadyTaken", kCommandNewCategory,
     {Name(kNewCategory, u"", u"Doublon"), Colour(kDefaultNoteColour, kHomeColour), Warning(kColourTaken)}},
    {"NewCategoryWhenIdsAreUsedUp", kCommandNewCategory, {Warning(kIdsUsedUp)}, true},
    {"NewSubcategoryWhenIdsAreUsedUp", kCommandNewSubcategory + kWork, {Warning(kIdsUsedUp)}, true},
    {"RenameCategoryToNothing", kCommandRenameCategory + kWork, {Name(kRenameCategory, u"Travail", u"")}},
    {"RenameSubcategoryCancelled", kCommandRenameSubcategory + kUrgent, {NameCancelled(kRenameSubcategory, u"Urgent")}},
    {"RenameCategoryClosedByTheCross", kCommandRenameCategory + kHome,
     {NameCancelled(kRenameCategory, u"Maison", Reply::CloseCross)}},
    {"RecolourCategoryToAnotherCategorysColour", kCommandRecolourCategory + kWork,
     {Colour(kWorkColour, kHomeColour), Warning(kColourTaken)}},
    {"RecolourCategoryCancelled", kCommandRecolourCategory + kWork, {ColourCancelled(kWorkColour)}},
    {"DeleteCategoryAnsweredNo", kCommandDeleteCategory + kWork, {Question(kDeleteCategory, kNo)}},
    {"DeleteSubcategoryAnsweredNo", kCommandDeleteSubcategory + kUrgent, {Question(kDeleteSubcategory, kNo)}},
    // Commands for categories that no longer exist.
    {"FileUnderAMissingCategory", kCommandFileUnderCategory + 99, {}},
    {"FileUnderAMissingSubcategory", kCommandFileUnderSubcategory + 99, {}},
    {"RenameAMissingCategory", kCommandRenameCategory + 99, {}},
    {"RecolourAMissingCategory", kCommandRecolourCategory + 99, {}},
    {"RenameAMissingSubcategory", kCommandRenameSubcategory + 99, {}},
    {"NewSubcategoryOfAMissingCategory", kCommandNewSubcategory + 99, {}},
    {"DeleteAMissingCategory", kCommandDeleteCategory + 99, {Question(kDeleteCategory, kYes)}},
    {"DeleteAMissingSubcategory", kCommandDeleteSubcategory + 99, {Question(kDeleteSubcategory, kYes)}},
};

struct SucceedingCommand {
    const char* name;
    UINT command;
    std::vector<Dialog> dialogs;
    const char* categories;         // "categories.txt" afterwards
    NoteFiles notes;                // the note files written, whole
    std::uint64_t runner = kMenuNote;  // the note whose menu it comes from
    bool repaintsEveryNote = false;
    bool withoutCategories = false;  // a fresh installation
};

const SucceedingCommand kSucceedingCommands[] = {
    {"NewCategoryAsksANameThenAColourAndFilesTheNoteUnderIt", kCommandNewCategory,
     {Name(kNewCategory, u"", u"Loisirs"), Colour(kDefaultNoteColour, 0x00FFC080)},
     "NEXTID|6\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n"
     "CAT|5|80C0FF|Loisirs\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#80C0FF\r\nCAT=5\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    // The name loses what would break the file's lines; the colour dialog
    // confirmed as it opened keeps the note's colour.
    {"FirstCategoryOfAFreshInstallationGetsIdOne", kCommandNewCategory,
     {Name(kNewCategory, u"", u"A|B\tC"), Colour(kDefaultNoteColour, std::nullopt)},
     "NEXTID|2\r\nCAT|1|FFF6A0|ABC\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}},
     kMenuNote, false, true},
    {"NewSubcategoryFilesTheNoteUnderIt", kCommandNewSubcategory + kHome, {Name(kNewSubcategory, u"", u"Jardin")},
     "NEXTID|6\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n"
     "SUB|2|5|Jardin\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=5\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"RenamingACategoryRepaintsEveryNoteButSavesNone", kCommandRenameCategory + kWork,
     {Name(kRenameCategory, u"Travail", u"Bureau")},
     "NEXTID|5\r\nCAT|1|FFCC66|Bureau\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n", {},
     kMenuNote, true},
    {"RenamingASubcategoryRepaintsButSavesNoNote", kCommandRenameSubcategory + kUrgent,
     {Name(kRenameSubcategory, u"Urgent", u"Vite")},
     "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Vite\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n", {},
     kMenuNote, true},
    {"RecolouringACategoryRecoloursAndSavesOnlyItsNotes", kCommandRecolourCategory + kWork,
     {Colour(kWorkColour, 0x00F0B0C0)},
     "NEXTID|5\r\nCAT|1|C0B0F0|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#C0B0F0\r\nCAT=1\r\nSUBCAT=3\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"},
      {kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#C0B0F0\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"DeletingACategoryLeavesItsNotesUncategorisedInTheirColour", kCommandDeleteCategory + kWork,
     {Question(kDeleteCategory, kYes)}, "NEXTID|5\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"},
      {kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"DeletingASubcategoryMovesItsNotesUpToTheCategory", kCommandDeleteSubcategory + kUrgent,
     {Question(kDeleteSubcategory, kYes)},
     "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"FilingUnderACategoryTakesItsColour", kCommandFileUnderCategory + kHome, {}, kTwoCategoriesFile,
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"FilingUnderASubcategoryTakesItsCategoryAndColour", kCommandFileUnderSubcategory + kLater, {},
     kTwoCategoriesFile,
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=4\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"UncategorisedKeepsTheColour", kCommandUncategorised, {}, kTwoCategoriesFile,
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}},
     kUrgentNote},
    {"SetNoteTypeChangesOnlyTheType", kCommandSetNoteType + kNoteScheduled, {}, kTwoCategoriesFile,
     {{kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=1\r\n---\r\ntexte"}},
     kWorkNote},
};

class RefusedCategoryCommand : public CategoryCommands, public ::testing::WithParamInterface<RefusedCommand> {};
class SucceedingCategoryCommand : public CategoryCommands,
                                  public ::testing::WithParamInterface<SucceedingCommand> {};

}  // namespace

TEST_P(RefusedCategoryCommand, ChangesNothing) {
    const RefusedCommand& c = GetParam();
    Run(c.command, c.dialogs, kMenuNote, false, c.idsUsedUp);
    EXPECT_EQ(Categories(), storeBefore_);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    ExpectNotes(kMenuNote, {});
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedCategoryCommand, ::testing::ValuesIn(kRefusedCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(SucceedingCategoryCommand, WritesItsFiles) {
    const SucceedingCommand& c = GetParam();
    Run(c.command, c.dialogs, c.runner, c.withoutCategories);
    EXPECT_EQ(CategoriesFile(), c.categories);
    // What the process keeps is what it wrote.
    EXPECT_EQ(FormatCategoriesFile(Categories()), Utf16(c.categories));
    ExpectNotes(c.runner, c.notes);
    if (c.repaintsEveryNote) {
        for (const auto& [id, window] : windows_) EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SucceedingCategoryCommand, ::testing::ValuesIn(kSucceedingCommands),
                         [](const auto& info) { return std::string(info.param.name); });

// Start-up: notes are brought in line with the categories they name.

TEST_F(CategoryMenu, LoadingNotesReconcilesThemWithTheStoredCategories) {
    Data().Write(u"categories.txt", kTwoCategoriesFile);
    const auto store = [this](std::uint64_t id, const std::string& lines) {
        Data().WriteNote(id, "X=100\r\nY=100\r\nW=240\r\nH=200\r\n" + lines + "---\r\ntexte");
    };
    store(1, "COLOR=#123456\r\nCAT=9\r\nSUBCAT=3\r\n");   // category gone
    store(2, "COLOR=#FFFFFF\r\nCAT=1\r\nSUBCAT=4\r\n");   // colour differs from Travail's
    store(3, "COLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=77\r\n");  // subcategory gone
    store(4, "COLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\n");   // already in line
    store(5, "COLOR=#ABCDEF\r\nCAT=0\r\nSUBCAT=0\r\n");   // uncategorised

    LoadCategories();
    ASSERT_TRUE(LoadAllNotes(GetModuleHandleW(nullptr)));
    RefreshNotesAfterCategoryChange();  // what start-up runs after the load
    ASSERT_EQ(WindowsOfClass(kNoteClass).size(), 5u);

    EXPECT_EQ(NoteFile(1), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#123456\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\n"
                           "DOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte");
    EXPECT_EQ(NoteFile(2), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=4\r\nPIN=0\r\n"
                           "DOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte");
    EXPECT_EQ(NoteFile(3), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\n"
                           "DOCK=0\r\nLASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte");
    // Notes already in line are not rewritten.
    EXPECT_EQ(NoteFile(4), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\n---\r\ntexte");
    EXPECT_EQ(NoteFile(5), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#ABCDEF\r\nCAT=0\r\nSUBCAT=0\r\n---\r\ntexte");
}

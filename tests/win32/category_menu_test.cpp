// The note menu and the category commands on real windows: the HMENU as
// built from the core's menu, the menu tracked with real keys, every command
// with its dialogs answered by the scripted user from their own modal loops,
// the owner-drawn painting, and the start-up reconciliation of notes.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "categories/category_menu.h"
#include "categories/core/category_menu_model.h"
#include "i18n/core/translation.h"
#include "notes/note_commands.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/core/categories_file.h"
#include "storage/core/note_file.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr ColourRef kWorkColour = 0x0066CCFF;  // file "FFCC66"
constexpr ColourRef kHomeColour = 0x00A0E0A0;  // file "A0E0A0"
constexpr ColourRef kDarkColour = 0x00402010;
constexpr std::int32_t kWork = 1;
constexpr std::int32_t kHome = 2;
constexpr std::int32_t kUrgent = 3;
constexpr std::int32_t kLater = 4;
constexpr char kTwoCategoriesFile[] =
    "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n";
// Stands in for a note file until the program writes one: any save replaces it.
constexpr char kUntouched[] = "X=1\r\n---\r\nnot rewritten";

class CategoryMenu : public DataFolderTest {
protected:
    // "Travail" (subcategories "Urgent" and "Plus tard") and "Maison", saved.
    void UseTwoCategories() {
        Categories().categories = {
            Category{kWork, u"Travail", kWorkColour, {Subcategory{kUrgent, u"Urgent"}, Subcategory{kLater, u"Plus tard"}}},
            Category{kHome, u"Maison", kHomeColour, {}},
        };
        Categories().nextId = 5;
        ASSERT_TRUE(SaveCategories());
        ASSERT_EQ(CategoriesFile(), kTwoCategoriesFile);
    }

    std::string NoteFile(std::uint64_t id) const { return Data().ReadNote(id); }
    std::string CategoriesFile() const { return Data().Read(u"categories.txt"); }

    ScriptedUser user_;
};

// The core decides the items (its tests go through the whole tree in both
// languages); the shell turns each into an owner-drawn item with the same
// text, id, check and state, backed by one of the menu's records.
void ExpectMenu(HMENU menu, const std::vector<MenuItem>& expected, const OwnerDrawItems& records) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const MenuItem& want = expected[i];
        const bool separator = want.kind == MenuItem::Kind::Separator;
        const bool submenu = want.kind == MenuItem::Kind::Submenu;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW));
        ASSERT_TRUE(std::any_of(records.begin(), records.end(), [&](const auto& record) {
            return reinterpret_cast<ULONG_PTR>(record.get()) == info.dwItemData;
        }));
        const auto* record = reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData);
        EXPECT_EQ(record->text, want.text);
        EXPECT_EQ(record->isSeparator, separator);
        EXPECT_EQ(record->hasSubmenu, submenu);
        EXPECT_EQ(record->isChecked, want.checked);
        EXPECT_EQ(record->isGreyed, want.greyed);
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, want.checked);
        EXPECT_EQ((info.fState & MFS_DISABLED) != 0, want.greyed || separator);
        EXPECT_EQ((info.fState & MF_GRAYED) != 0, want.greyed);
        if (submenu) {
            ASSERT_NE(info.hSubMenu, nullptr);
            ExpectMenu(info.hSubMenu, want.children, records);
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr);
            EXPECT_EQ(info.wID, want.id);
        }
    }
}

size_t CountItems(const std::vector<MenuItem>& items) {
    size_t count = items.size();
    for (const MenuItem& item : items) count += CountItems(item.children);
    return count;
}

}  // namespace

TEST_F(CategoryMenu, BuiltMenuHoldsTheCoreMenuAsOwnerDrawnItems) {
    UseTwoCategories();
    // Scheduled, filed under "Travail > Plus tard": checked items at two
    // levels and the greyed placeholder type.
    HWND note = MakeNote({.colour = kWorkColour, .category = kWork, .subcategory = kLater, .type = kNoteScheduled});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    const std::vector<MenuItem> model = BuildCategoryMenu(Categories(), kNoteScheduled, kWork, kLater);
    ExpectMenu(menu.Get(), model, records);
    EXPECT_EQ(records.size(), CountItems(model));  // every item has its record, submenu items included
}

TEST_F(CategoryMenu, AWindowWithoutANoteGetsNoMenu) {
    OwnerDrawItems records;
    EXPECT_EQ(BuildCategoryPopupMenu(nullptr, records), nullptr);
    HWND notANote = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(BuildCategoryPopupMenu(notANote, records), nullptr);
    ShowCategoryMenu(notANote, 10, 10);  // returns at once: nothing to track
    EXPECT_TRUE(records.empty());
    DestroyWindow(notANote);
}

// The real menu, tracked and walked with the keyboard. Every item counts as
// a step for the arrow keys, separators too (they are disabled owner-drawn
// items); the first Down selects the first item, Right opens a submenu on its
// first item.
TEST_F(CategoryMenu, RightClickOpensTheMenuAtTheCursorAndTheKeyboardChoosesScheduled) {
    UseTwoCategories();
    HWND note = MakeNote({.x = 200, .y = 150, .text = u"texte"});
    RECT menuRect{};
    std::vector<MenuLook> looks;
    user_.WhenMenusOpen(1, {VK_DOWN, VK_RIGHT}, [&] { GetWindowRect(user_.OpenMenus().front(), &menuRect); });
    user_.WhenMenusOpen(2, {VK_DOWN, VK_RETURN}, [&] {
        for (HWND menu : user_.OpenMenus()) looks.push_back(LookAt(MenuOfWindow(menu)));
    });
    SendMessageW(note, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note), MAKELPARAM(260, 210));

    EXPECT_EQ(menuRect.left, 260);
    EXPECT_EQ(menuRect.top, 210);
    ASSERT_EQ(looks.size(), 2u);
    for (const MenuLook& look : looks) {
        EXPECT_TRUE(look.noCheckColumn);
        EXPECT_EQ(look.background, kDefaultNoteColour);  // the submenu too
    }
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteScheduled);
    EXPECT_FALSE(NoteEditShown(note));
    EXPECT_EQ(NoteFile(1), NoteFileText({.x = 200, .y = 150, .type = 1, .body = "texte"}));
    EXPECT_TRUE(user_.OpenMenus().empty());
}

// A menu left without a choice changes nothing.
TEST_F(CategoryMenu, TheGreyedPlaceholderTypeCannotBeChosen) {
    HWND note = MakeNote({.text = u"texte"});
    bool onPlaceholder = false;
    user_.WhenMenusOpen(1, {VK_DOWN, VK_RIGHT});
    user_.WhenMenusOpen(2, {VK_DOWN, VK_DOWN});
    user_.WhenMenusOpen(2, {VK_RETURN}, [&] {
        for (HWND window : user_.OpenMenus()) {
            HMENU menu = MenuOfWindow(window);
            if (GetMenuItemCount(menu) == 3) onPlaceholder = (GetMenuState(menu, 2, MF_BYPOSITION) & MF_HILITE) != 0;
        }
    });
    // Where the system keeps the menu open on a disabled item, leave it.
    user_.WhenMenusOpen(2, {VK_ESCAPE, VK_ESCAPE});
    OwnerDrawItems records;
    const UINT command = TrackNoteMenu(note, BuildCategoryPopupMenu(note, records), 150, 150);
    user_.Forget();  // the last step is not needed where the menu closes

    EXPECT_TRUE(onPlaceholder);
    EXPECT_EQ(command, 0u);
    EXPECT_TRUE(user_.OpenMenus().empty());
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteRegular);
    EXPECT_FALSE(FileExists(Data().NotePath(1)));
}

// ---------------------------------------------------------------------------
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

constexpr char16_t kNewCategory[] = u"Nouvelle categorie";
constexpr char16_t kNewSubcategory[] = u"Nouvelle sous-categorie";
constexpr char16_t kRenameCategory[] = u"Renommer la categorie";
constexpr char16_t kRenameSubcategory[] = u"Renommer la sous-categorie";
constexpr char16_t kColourTaken[] = u"Cette couleur est deja utilisee par une autre categorie.";
constexpr char16_t kIdsUsedUp[] = u"Impossible de creer une autre categorie : le nombre maximal d'identifiants est atteint.";
constexpr char16_t kDeleteCategory[] = u"Supprimer cette categorie ? Ses notes deviendront non-categorisees.";
constexpr char16_t kDeleteSubcategory[] = u"Supprimer cette sous-categorie ?";
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

// ---------------------------------------------------------------------------
// Measuring and painting the owner-drawn items, through the note window. The
// colours are the core's; here the note paints with them.

namespace {

constexpr int kItemWidth = 220;
constexpr int kItemHeight = 28;

// One item as the note draws it.
ScreenPicture DrawnItem(HWND note, const OwnerDrawMenuItem& item, bool selected, int height = kItemHeight) {
    return ScreenPicture::Drawn(kItemWidth, height, [&](HDC dc) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (selected ? ODS_SELECTED : 0) | (item.isGreyed ? ODS_GRAYED | ODS_DISABLED : 0);
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, kItemWidth, height};
        draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
        EXPECT_EQ(SendMessageW(note, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    });
}

MEASUREITEMSTRUCT Measure(HWND note, const OwnerDrawMenuItem& item) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    return measure;
}

}  // namespace

TEST_F(CategoryMenu, ItemsAreMeasuredFromTheirTextInTheNoteFont) {
    HWND note = MakeNote({});
    ASSERT_EQ(TextFontOrDefault(), TextFont());  // the note made the font
    // The sizes below hold for the 16-pixel note font as Wine draws it, in
    // which this text is 164 pixels wide and 22 high.
    const std::u16string text = u"Gerer les categories...";
    WindowDc screen(nullptr);
    SelectScope font(screen.Get(), TextFontOrDefault());
    SIZE extent{};
    GetTextExtentPoint32W(screen.Get(), Wide(text), static_cast<int>(text.size()), &extent);
    ASSERT_EQ(extent.cx, 164);
    ASSERT_EQ(extent.cy, 22);

    // The text, the check column and the right margin; 3 pixels above and
    // below; 6 more for a submenu's triangle.
    struct Case {
        OwnerDrawMenuItem item;
        UINT width, height;
    };
    const Case cases[] = {{{.text = text}, 200, 28}, {{.text = text, .hasSubmenu = true}, 206, 28},
                          {{.text = u"", .isSeparator = true}, 0, 8}};
    for (const Case& c : cases) {
        const MEASUREITEMSTRUCT measured = Measure(note, c.item);
        EXPECT_EQ(measured.itemWidth, c.width);
        EXPECT_EQ(measured.itemHeight, c.height);
    }
    // Requests that are not for a menu item are left to the system.
    MEASUREITEMSTRUCT control{};
    control.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&control)), FALSE);
}

TEST_F(CategoryMenu, ItemsShowContrastingTextOnTheNoteColourAndTheSelectionInItsShade) {
    struct Case {
        ColourRef base, text, otherText;
    };
    for (const Case& c : {Case{kDefaultNoteColour, kDarkTextColour, kLightTextColour},
                          Case{kDarkColour, kLightTextColour, kDarkTextColour}}) {
        SCOPED_TRACE(c.base);
        HWND note = MakeNote({.id = c.base, .colour = c.base});
        const OwnerDrawMenuItem item{.text = u"Maison"};
        const ScreenPicture normal = DrawnItem(note, item, false);
        EXPECT_EQ(normal.At(kItemWidth - 2, 1), c.base);
        EXPECT_GT(normal.Count({24, 0, kItemWidth, kItemHeight}, c.text), 10);
        EXPECT_EQ(normal.Count({0, 0, 24, kItemHeight}, c.text), 0);  // no check mark, text starts at 24
        EXPECT_EQ(normal.Count({0, 0, kItemWidth, kItemHeight}, c.otherText), 0);

        const ScreenPicture selected = DrawnItem(note, item, true);
        const ColourRef selection = OwnerDrawMenuColours(c.base).selectedBackground;
        EXPECT_EQ(selected.At(kItemWidth - 2, 1), selection);
        EXPECT_EQ(selected.At(2, 26), selection);
        EXPECT_GT(selected.Count({24, 0, kItemWidth, kItemHeight}, c.text), 10);
    }
}

TEST_F(CategoryMenu, CheckMarkInTheTextColourEvenOnAGreyedItemWhoseTextIsFaded) {
    for (ColourRef base : {kDefaultNoteColour, kDarkColour}) {
        SCOPED_TRACE(base);
        HWND note = MakeNote({.id = base, .colour = base});
        const MenuColours colours = OwnerDrawMenuColours(base);
        const ScreenPicture checked = DrawnItem(note, {.text = u"Ordinaire", .isChecked = true}, false);
        EXPECT_GT(checked.Count({6, 14 - 6, 18, 14 + 6}, colours.text), 6);
        EXPECT_EQ(checked.At(10, 14 + 4), colours.text);  // the bottom of the tick
        const ScreenPicture greyed =
            DrawnItem(note, {.text = u"Tessaline (Section 2)", .isChecked = true, .isGreyed = true}, false);
        EXPECT_GT(greyed.Count({24, 0, kItemWidth, kItemHeight}, colours.greyedText), 10);
        EXPECT_EQ(greyed.Count({24, 0, kItemWidth, kItemHeight}, colours.text), 0);
        EXPECT_GT(greyed.Count({6, 0, 18, kItemHeight}, colours.text), 6);  // the check mark
    }
}

TEST_F(CategoryMenu, SeparatorIsAThinLineInsetFromBothEdges) {
    HWND note = MakeNote({});
    const ColourRef line = OwnerDrawMenuColours(kDefaultNoteColour).separator;
    // Never drawn as selected.
    const ScreenPicture separator = DrawnItem(note, {.text = u"", .isSeparator = true}, true, 8);
    EXPECT_EQ(separator.At(6, 4), line);
    EXPECT_EQ(separator.At(kItemWidth - 7, 4), line);
    EXPECT_EQ(separator.At(5, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.At(kItemWidth - 6, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.Count({0, 0, kItemWidth, 8}, line), kItemWidth - 12);
}

TEST_F(CategoryMenu, SubmenuItemsEndInATriangleAndLongTextIsCutBeforeIt) {
    HWND note = MakeNote({});
    const std::u16string longText(60, u'W');
    const ScreenPicture submenu = DrawnItem(note, {.text = longText, .hasSubmenu = true}, false);
    EXPECT_EQ(submenu.At(kItemWidth - 11, 14), kDarkTextColour);
    EXPECT_EQ(submenu.At(kItemWidth - 6, 14), kDefaultNoteColour);
    EXPECT_EQ(submenu.At(kItemWidth - 11, 14 - 6), kDefaultNoteColour);
    // Nothing of the text between its box and the triangle.
    EXPECT_EQ(submenu.Count({kItemWidth - 18, 0, kItemWidth - 12, kItemHeight}, kDarkTextColour), 0);

    const ScreenPicture plain = DrawnItem(note, {.text = longText}, false);
    EXPECT_EQ(plain.Count({kItemWidth - 12, 0, kItemWidth, kItemHeight}, kDarkTextColour), 0);
    // Up to the ellipsis.
    EXPECT_GT(plain.Count({kItemWidth - 40, 0, kItemWidth - 12, kItemHeight}, kDarkTextColour), 0);
}

// ---------------------------------------------------------------------------
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

// ---------------------------------------------------------------------------
// The menu as it shows on the screen, and pictures of it for the docs when
// QB_SCREENSHOTS names a folder.

namespace {

// What one open menu level shows inside its frame: only the note's colour,
// the selection, separators, text and the marks the items paint themselves.
struct MenuPixels {
    int background = 0;
    int selected = 0;
    int foreign = 0;  // darker than the dark text, or lighter than the light text
    int total = 0;
};

MenuPixels ReadMenuPixels(HWND menu, ColourRef base) {
    const ColourRef selection = OwnerDrawMenuColours(base).selectedBackground;
    RECT client{};
    GetClientRect(menu, &client);
    MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const ScreenPicture picture(client);
    MenuPixels counts;
    counts.total = (client.right - client.left) * (client.bottom - client.top);
    counts.background = picture.Count(client, [&](COLORREF c) { return c == base; });
    counts.selected = picture.Count(client, [&](COLORREF c) { return c == selection; });
    counts.foreign = picture.Count(client, [&](COLORREF c) {
        return c == CLR_INVALID || Luminance(c) < Luminance(kDarkTextColour) - 2 ||
               Luminance(c) > Luminance(kLightTextColour) + 2;
    });
    return counts;
}

class NoteMenuOnScreen : public CategoryMenu {
protected:
    // Opens the menu of a note of that colour at a point inside it, walks it
    // with `keys` until `depth` levels are open, checks what every level
    // shows, and saves a picture as `pictureName` when pictures are wanted.
    void ShowAndLook(ColourRef colour, std::vector<WORD> keys, size_t depth, const char16_t* pictureName) {
        UseTwoCategories();
        HWND note = MakeNote({.x = 120, .y = 120, .colour = colour, .text = u"Appeler Paul\r\nLivres"});
        // As after the user's click on it. Activated only by the menu, the
        // note would be raised over the menu on the X side under Wine.
        SetForegroundWindow(note);
        PumpUntil([note] { return GetForegroundWindow() == note; });
        PumpPending();
        std::vector<MenuPixels> levels;
        user_.WhenMenusOpen(1, std::move(keys));
        // Waits, inside the menu's own loop, until every open level is
        // painted with its chosen item and the whole scene (the note and
        // every level, with a margin) stays the same from one tick to the
        // next (the screen can show a window a moment before all of it is drawn).
        auto previous = std::make_shared<std::uint64_t>(0);
        user_.Then([&, previous] {
            const std::vector<HWND> menus = user_.OpenMenus();
            if (menus.size() != depth) return false;
            RECT scene{};
            GetWindowRect(note, &scene);
            for (HWND menu : menus) {
                const MenuPixels pixels = ReadMenuPixels(menu, colour);
                if (pixels.background < pixels.total / 3 || pixels.selected == 0) return false;
                RECT rect{};
                GetWindowRect(menu, &rect);
                UnionRect(&scene, &scene, &rect);
            }
            InflateRect(&scene, 10, 10);
            const std::uint64_t now = ScreenPicture(scene).Fingerprint();
            const bool settled = now == *previous;
            *previous = now;
            if (!settled) return false;
            for (HWND menu : menus) levels.push_back(ReadMenuPixels(menu, colour));
            SaveScreenshotIfAsked(pictureName, scene);
            PressKeys(std::vector<WORD>(depth, VK_ESCAPE));
            return true;
        });
        ShowCategoryMenu(note, 200, 135);
        ASSERT_EQ(levels.size(), depth);
        for (const MenuPixels& level : levels) {
            EXPECT_EQ(level.foreign, 0);
            EXPECT_GT(level.selected, 0);  // every level shows its chosen item
        }
    }
};

}  // namespace

TEST_F(NoteMenuOnScreen, LightNoteMenuIsPaintedInTheNoteColourWithDarkText) {
    // Down to "Travail".
    ShowAndLook(kDefaultNoteColour, std::vector<WORD>(5, VK_DOWN), 1, u"note-menu-light");
}

TEST_F(NoteMenuOnScreen, DarkNoteMenuIsPaintedInTheNoteColourWithLightText) {
    ShowAndLook(kDarkColour, std::vector<WORD>(5, VK_DOWN), 1, u"note-menu-dark");
}

TEST_F(NoteMenuOnScreen, ManageSubmenusShowInTheNoteColourToo) {
    // Down to "Gerer les categories...", into it on "Travail", into that.
    std::vector<WORD> keys(11, VK_DOWN);
    keys.insert(keys.end(), {VK_RIGHT, VK_RIGHT});
    ShowAndLook(kDefaultNoteColour, keys, 3, u"manage-categories");
}

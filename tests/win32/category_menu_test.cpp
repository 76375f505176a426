// The note menu and the category commands on real windows: the HMENU as
// built from the core's menu, the menu tracked with real keys, every command
// with its dialogs answered by the scripted user from their own modal loops,
// the owner-drawn painting, and the start-up reconciliation of notes.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "categories/category_menu.h"
#include "categories/category_menu_model.h"
#include "categories/category_passes.h"
#include "i18n/translation.h"
#include "notes/note_commands.h"
#include "notes/note_loading.h"
#include "notes/note_window_state.h"
#include "storage/categories_file.h"
#include "storage/category_storage.h"
#include "storage/note_file.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/colour_rules.h"
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

class CategoryMenu : public DataFolderTest {
protected:
    void TearDown() override {
        ActiveTranslationTable().clear();
        DataFolderTest::TearDown();
    }

    // "Travail" (subcategories "Urgent" and "Plus tard") and "Maison", saved.
    void UseTwoCategories() {
        CategoryStore& store = Categories();
        store.categories = {
            Category{kWork, u"Travail", kWorkColour, {Subcategory{kUrgent, u"Urgent"}, Subcategory{kLater, u"Plus tard"}}},
            Category{kHome, u"Maison", kHomeColour, {}},
        };
        store.nextId = 5;
        ASSERT_TRUE(SaveCategories());
        ASSERT_EQ(CategoriesFile(), kTwoCategoriesFile);
    }

    std::string NoteFile(std::uint64_t id) const { return Data().ReadNote(id); }
    std::string CategoriesFile() const { return Data().Read(u"categories.txt"); }

    ScriptedUser user_;
};

}  // namespace

// ---------------------------------------------------------------------------
// The HMENU as built: the core decides the items (its tests go through the
// whole tree in both languages); here the shell shows that it turns each of
// them into an owner-drawn item with the same text, id, check and state.

namespace {

bool IsRecord(const OwnerDrawItems& records, ULONG_PTR data) {
    for (const auto& record : records) {
        if (reinterpret_cast<ULONG_PTR>(record.get()) == data) return true;
    }
    return false;
}

size_t CountItems(const std::vector<MenuItem>& items) {
    size_t count = items.size();
    for (const MenuItem& item : items) count += CountItems(item.children);
    return count;
}

void ExpectMenu(HMENU menu, const std::vector<MenuItem>& expected, const OwnerDrawItems& records,
                const std::string& path) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << path;
    for (size_t i = 0; i < expected.size(); ++i) {
        const MenuItem& want = expected[i];
        const std::string where = path + "/" + std::to_string(i);
        const bool separator = want.kind == MenuItem::Kind::Separator;
        const bool submenu = want.kind == MenuItem::Kind::Submenu;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) << where;
        EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW)) << where;
        ASSERT_TRUE(IsRecord(records, info.dwItemData)) << where;
        const auto* record = reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData);
        EXPECT_EQ(record->text, want.text) << where;
        EXPECT_EQ(record->isSeparator, separator) << where;
        EXPECT_EQ(record->hasSubmenu, submenu) << where;
        EXPECT_EQ(record->isChecked, want.checked) << where;
        EXPECT_EQ(record->isGreyed, want.greyed) << where;
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, want.checked) << where;
        EXPECT_EQ((info.fState & MFS_DISABLED) != 0, want.greyed || separator) << where;
        EXPECT_EQ((info.fState & MF_GRAYED) != 0, want.greyed) << where;
        if (submenu) {
            ASSERT_NE(info.hSubMenu, nullptr) << where;
            ExpectMenu(info.hSubMenu, want.children, records, where);
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr) << where;
            EXPECT_EQ(info.wID, want.id) << where;
        }
    }
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
    ExpectMenu(menu.Get(), model, records, "menu");
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

// ---------------------------------------------------------------------------
// The real menu, tracked and walked with the keyboard. Every item counts as
// a step for the arrow keys, separators too (they are disabled owner-drawn
// items); the first Down selects the first item, Right opens a submenu on its
// first item.

namespace {

// Stands in for a note file until the program writes one: any save replaces it.
constexpr char kUntouched[] = "X=1\r\n---\r\nnot rewritten";

}  // namespace

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
    EXPECT_EQ(NoteFile(1),
              "X=200\r\nY=150\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
              "LASTDOCK=0\r\nTYPE=1\r\n---\r\ntexte");
    EXPECT_TRUE(user_.OpenMenus().empty());
}

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

TEST_F(CategoryMenu, FilingFromTheMenuTakesTheSubcategorysCategoryAndColour) {
    UseTwoCategories();
    HWND note = MakeNote({.x = 100, .y = 100, .text = u"texte"});
    // Type, separator, "Non-categorise", separator, "Travail", "    Urgent".
    user_.WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ShowCategoryMenu(note, 150, 150);
    const Note* record = NoteFromWindow(note);
    EXPECT_EQ(record->categoryId, kWork);
    EXPECT_EQ(record->subcategoryId, kUrgent);
    EXPECT_EQ(record->colour, kWorkColour);
    EXPECT_EQ(NoteFile(1),
              "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=3\r\nPIN=0\r\nDOCK=0\r\n"
              "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte");
}

TEST_F(CategoryMenu, EscapeChangesNothing) {
    UseTwoCategories();
    HWND note = MakeNote({.colour = kHomeColour, .category = kHome, .text = u"texte"});
    Data().WriteNote(1, kUntouched);
    user_.WhenMenusOpen(1, {VK_DOWN, VK_ESCAPE});
    ShowCategoryMenu(note, 150, 150);
    EXPECT_EQ(NoteFile(1), kUntouched);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
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
    std::u16string title{};                 // Name: the dialog's title
    std::u16string text{};                  // Name: the text it opens with; Warning, Question: the message
    ColourRef colour = 0;                   // Colour: the colour it opens with
    std::u16string typed{};                 // Name: what the user types
    std::optional<ColourRef> chosen{};      // Colour: what the user types, if anything
};

Dialog Name(std::u16string title, std::u16string opensWith, std::u16string typed) {
    return Dialog{Dialog::Kind::Name, Dialog::Reply::Confirm, std::move(title), std::move(opensWith), 0,
                  std::move(typed)};
}
Dialog NameCancelled(std::u16string title, std::u16string opensWith, Dialog::Reply how = Dialog::Reply::Cancel) {
    return Dialog{Dialog::Kind::Name, how, std::move(title), std::move(opensWith)};
}
Dialog Colour(ColourRef opensWith, std::optional<ColourRef> chosen) {
    return Dialog{Dialog::Kind::Colour, Dialog::Reply::Confirm, u"", u"", opensWith, u"", chosen};
}
Dialog ColourCancelled(ColourRef opensWith) {
    return Dialog{Dialog::Kind::Colour, Dialog::Reply::Cancel, u"", u"", opensWith};
}
Dialog Warning(std::u16string message) {
    return Dialog{Dialog::Kind::Warning, Dialog::Reply::Confirm, u"", std::move(message)};
}
Dialog Question(std::u16string message, Dialog::Reply reply) {
    return Dialog{Dialog::Kind::Question, reply, u"", std::move(message)};
}

constexpr char16_t kNewCategory[] = u"Nouvelle categorie";
constexpr char16_t kNewSubcategory[] = u"Nouvelle sous-categorie";
constexpr char16_t kRenameCategory[] = u"Renommer la categorie";
constexpr char16_t kRenameSubcategory[] = u"Renommer la sous-categorie";
constexpr char16_t kColourTaken[] = u"Cette couleur est deja utilisee par une autre categorie.";
constexpr char16_t kIdsUsedUp[] = u"Impossible de creer une autre categorie : le nombre maximal d'identifiants est atteint.";
constexpr char16_t kDeleteCategory[] = u"Supprimer cette categorie ? Ses notes deviendront non-categorisees.";
constexpr char16_t kDeleteSubcategory[] = u"Supprimer cette sous-categorie ?";
constexpr auto kYes = Dialog::Reply::Confirm;
constexpr auto kNo = Dialog::Reply::Cancel;

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

// A file's colour, category, subcategory and type, read with the program's reader.
NoteFields FieldsOf(const std::string& file) {
    NoteFields fields = DefaultNoteFields();
    ParseNoteFile(Utf16(file), fields);
    return fields;
}

bool NeedsRepaint(HWND window) {
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

class CategoryCommands : public CategoryMenu {
protected:
    // The two categories and the scene's notes, painted. The note that runs
    // the command has its own file: it may be saved, unchanged, as it loses
    // the focus to a dialog. Every other note has a marker file that any
    // save would replace.
    void MakeScene(std::uint64_t runner, bool withoutCategories = false) {
        if (!withoutCategories) UseTwoCategories();
        for (const TestNote& note : kScene) {
            if (withoutCategories && note.category != 0) continue;
            windows_.push_back(MakeNote(note));
            Data().WriteNote(note.id, note.id == runner ? UnchangedFile(note) : kUntouched);
        }
        for (HWND window : windows_) UpdateWindow(window);
        storeBefore_ = Categories();
    }

    HWND Window(std::uint64_t id) const {
        for (HWND window : windows_) {
            if (NoteFromWindow(window)->id == id) return window;
        }
        return nullptr;
    }

    // Answers the dialogs in turn; returns what each showed.
    std::vector<std::unique_ptr<Seen>> Answer(const std::vector<Dialog>& dialogs) {
        std::vector<std::unique_ptr<Seen>> seen;
        for (const Dialog& dialog : dialogs) {
            seen.push_back(std::make_unique<Seen>());
            Seen* shown = seen.back().get();
            const bool confirm = dialog.reply == Dialog::Reply::Confirm;
            switch (dialog.kind) {
            case Dialog::Kind::Name:
                if (confirm) {
                    user_.AnswerTextInput(dialog.typed, shown);
                } else if (dialog.reply == Dialog::Reply::Cancel) {
                    user_.CancelTextInput(shown);
                } else {
                    CloseTextInputByItsCross(shown);
                }
                break;
            case Dialog::Kind::Colour:
                confirm ? user_.AnswerColour(dialog.chosen, shown) : user_.CancelColour(shown);
                break;
            case Dialog::Kind::Warning: user_.AnswerMessageBox(IDOK, shown); break;
            case Dialog::Kind::Question: user_.AnswerMessageBox(confirm ? IDYES : IDNO, shown); break;
            }
        }
        return seen;
    }

    // The close cross in the dialog's title band.
    void CloseTextInputByItsCross(Seen* seen) {
        user_.WhenShown(kTextInputClass, [seen](HWND dialog) {
            *seen = Seen{true, WindowTextOf(dialog), ControlTextOf(GetDlgItem(dialog, kTextInputEdit))};
            RECT client{};
            GetClientRect(dialog, &client);
            PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 13, 15));
        });
    }

    void ExpectShown(const std::vector<Dialog>& dialogs, const std::vector<std::unique_ptr<Seen>>& seen) {
        EXPECT_EQ(user_.StepsLeft(), 0u) << "a dialog was not shown";
        user_.Forget();
        for (size_t i = 0; i < dialogs.size(); ++i) {
            const Dialog& dialog = dialogs[i];
            const Seen& shown = *seen[i];
            SCOPED_TRACE(i);
            ASSERT_TRUE(shown.shown);
            switch (dialog.kind) {
            case Dialog::Kind::Name:
                EXPECT_EQ(shown.title, dialog.title);
                EXPECT_EQ(shown.text, dialog.text);
                break;
            case Dialog::Kind::Colour:
                EXPECT_EQ(shown.colour, dialog.colour);
                EXPECT_TRUE(shown.customPartOpen);
                break;
            case Dialog::Kind::Warning:
            case Dialog::Kind::Question:
                EXPECT_EQ(shown.title, u"Quillboard");
                EXPECT_EQ(shown.text, dialog.text);
                EXPECT_EQ(shown.icon, LoadIconW(nullptr, dialog.kind == Dialog::Kind::Warning ? IDI_WARNING
                                                                                              : IDI_QUESTION));
                break;
            }
        }
        EXPECT_EQ(user_.ColourDialog(), nullptr);
        EXPECT_EQ(user_.TextInput(), nullptr);
        EXPECT_EQ(user_.MessageBoxWindow(), nullptr);
    }

    // However a dialog closes, the activation goes back to the note that
    // asked, never to another note (which would save it as it lost it again).
    void ExpectActivationBackOn(std::uint64_t runner, const std::vector<Dialog>& dialogs) {
        const bool askedName = std::any_of(dialogs.begin(), dialogs.end(),
                                           [](const Dialog& d) { return d.kind == Dialog::Kind::Name; });
        if (askedName) {
            EXPECT_EQ(GetActiveWindow(), Window(runner));
        }
    }

    // Every note other than those named is as it was made, in its window
    // and in its file; the named ones hold what their files say.
    void ExpectNotes(std::uint64_t runner, const std::vector<std::pair<std::uint64_t, std::string>>& written) {
        for (const TestNote& note : kScene) {
            HWND window = Window(note.id);
            if (!window) continue;
            SCOPED_TRACE(note.id);
            const Note* record = NoteFromWindow(window);
            std::string expected = note.id == runner ? UnchangedFile(note) : kUntouched;
            NoteFields fields = FieldsOf(UnchangedFile(note));
            for (const auto& [id, file] : written) {
                if (id != note.id) continue;
                expected = file;
                fields = FieldsOf(file);
            }
            EXPECT_EQ(NoteFile(note.id), expected);
            EXPECT_EQ(record->colour, fields.colour);
            EXPECT_EQ(record->categoryId, fields.categoryId);
            EXPECT_EQ(record->subcategoryId, fields.subcategoryId);
            EXPECT_EQ(record->type, fields.type);
            LOGBRUSH brush{};
            GetObjectW(NoteBackgroundBrush(window), sizeof(brush), &brush);
            EXPECT_EQ(brush.lbColor, record->colour);
        }
    }

    std::vector<HWND> windows_;
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
    {"NewCategoryColourCancelled",
     kCommandNewCategory,
     {Name(kNewCategory, u"", u"Loisirs"), ColourCancelled(kDefaultNoteColour)}},
    {"NewCategoryInAColourAlreadyTaken",
     kCommandNewCategory,
     {Name(kNewCategory, u"", u"Doublon"), Colour(kDefaultNoteColour, kHomeColour), Warning(kColourTaken)}},
    {"NewCategoryWhenIdsAreUsedUp", kCommandNewCategory, {Warning(kIdsUsedUp)}, true},
    {"NewSubcategoryWhenIdsAreUsedUp", kCommandNewSubcategory + kWork, {Warning(kIdsUsedUp)}, true},
    {"RenameCategoryToNothing", kCommandRenameCategory + kWork, {Name(kRenameCategory, u"Travail", u"")}},
    {"RenameSubcategoryCancelled",
     kCommandRenameSubcategory + kUrgent,
     {NameCancelled(kRenameSubcategory, u"Urgent")}},
    {"RenameCategoryClosedByTheCross",
     kCommandRenameCategory + kHome,
     {NameCancelled(kRenameCategory, u"Maison", Dialog::Reply::CloseCross)}},
    {"RecolourCategoryToAnotherCategorysColour",
     kCommandRecolourCategory + kWork,
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

void PrintTo(const RefusedCommand& c, std::ostream* out) {
    *out << c.name;
}

class RefusedCategoryCommand : public CategoryCommands, public ::testing::WithParamInterface<RefusedCommand> {};

}  // namespace

TEST_P(RefusedCategoryCommand, ChangesNothing) {
    const RefusedCommand& c = GetParam();
    MakeScene(kMenuNote);
    if (c.idsUsedUp) Categories().nextId = kCategoryIdLimit;
    const CategoryStore store = Categories();
    const auto seen = Answer(c.dialogs);
    RunCategoryMenuCommand(Window(kMenuNote), c.command);

    ExpectShown(c.dialogs, seen);
    ExpectActivationBackOn(kMenuNote, c.dialogs);
    EXPECT_EQ(Categories(), store);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    ExpectNotes(kMenuNote, {});
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedCategoryCommand, ::testing::ValuesIn(kRefusedCommands),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct SucceedingCommand {
    const char* name;
    UINT command;
    std::vector<Dialog> dialogs;
    const char* categories;                                   // "categories.txt" afterwards
    std::vector<std::pair<std::uint64_t, std::string>> notes;  // the note files written, whole
    std::uint64_t runner = kMenuNote;                          // the note whose menu it comes from
    bool repaintsEveryNote = false;
    bool withoutCategories = false;  // a fresh installation
};

const SucceedingCommand kSucceedingCommands[] = {
    {"NewCategoryAsksANameThenAColourAndFilesTheNoteUnderIt",
     kCommandNewCategory,
     {Name(kNewCategory, u"", u"Loisirs"), Colour(kDefaultNoteColour, 0x00FFC080)},
     "NEXTID|6\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n"
     "CAT|5|80C0FF|Loisirs\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#80C0FF\r\nCAT=5\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    // The name loses what would break the file's lines; the colour dialog
    // confirmed as it opened keeps the note's colour.
    {"FirstCategoryOfAFreshInstallationGetsIdOne",
     kCommandNewCategory,
     {Name(kNewCategory, u"", u"A|B\tC"), Colour(kDefaultNoteColour, std::nullopt)},
     "NEXTID|2\r\nCAT|1|FFF6A0|ABC\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFF6A0\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}},
     kMenuNote,
     false,
     true},
    {"NewSubcategoryFilesTheNoteUnderIt",
     kCommandNewSubcategory + kHome,
     {Name(kNewSubcategory, u"", u"Jardin")},
     "NEXTID|6\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n"
     "SUB|2|5|Jardin\r\n",
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=5\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"RenamingACategoryRepaintsEveryNoteButSavesNone",
     kCommandRenameCategory + kWork,
     {Name(kRenameCategory, u"Travail", u"Bureau")},
     "NEXTID|5\r\nCAT|1|FFCC66|Bureau\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {},
     kMenuNote,
     true},
    {"RenamingASubcategoryRepaintsButSavesNoNote",
     kCommandRenameSubcategory + kUrgent,
     {Name(kRenameSubcategory, u"Urgent", u"Vite")},
     "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Vite\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {},
     kMenuNote,
     true},
    {"RecolouringACategoryRecoloursAndSavesOnlyItsNotes",
     kCommandRecolourCategory + kWork,
     {Colour(kWorkColour, 0x00F0B0C0)},
     "NEXTID|5\r\nCAT|1|C0B0F0|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#C0B0F0\r\nCAT=1\r\nSUBCAT=3\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"},
      {kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#C0B0F0\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"DeletingACategoryLeavesItsNotesUncategorisedInTheirColour",
     kCommandDeleteCategory + kWork,
     {Question(kDeleteCategory, kYes)},
     "NEXTID|5\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"},
      {kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"DeletingASubcategoryMovesItsNotesUpToTheCategory",
     kCommandDeleteSubcategory + kUrgent,
     {Question(kDeleteSubcategory, kYes)},
     "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n",
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"FilingUnderACategoryTakesItsColour",
     kCommandFileUnderCategory + kHome,
     {},
     kTwoCategoriesFile,
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"FilingUnderASubcategoryTakesItsCategoryAndColour",
     kCommandFileUnderSubcategory + kLater,
     {},
     kTwoCategoriesFile,
     {{kMenuNote, "X=100\r\nY=400\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=4\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}}},
    {"UncategorisedKeepsTheColour",
     kCommandUncategorised,
     {},
     kTwoCategoriesFile,
     {{kUrgentNote, "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                    "LASTDOCK=0\r\nTYPE=0\r\n---\r\ntexte"}},
     kUrgentNote},
    {"SetNoteTypeChangesOnlyTheType",
     kCommandSetNoteType + kNoteScheduled,
     {},
     kTwoCategoriesFile,
     {{kWorkNote, "X=400\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
                  "LASTDOCK=0\r\nTYPE=1\r\n---\r\ntexte"}},
     kWorkNote},
};

void PrintTo(const SucceedingCommand& c, std::ostream* out) {
    *out << c.name;
}

class SucceedingCategoryCommand : public CategoryCommands,
                                  public ::testing::WithParamInterface<SucceedingCommand> {};

}  // namespace

TEST_P(SucceedingCategoryCommand, WritesItsFiles) {
    const SucceedingCommand& c = GetParam();
    MakeScene(c.runner, c.withoutCategories);
    const auto seen = Answer(c.dialogs);
    RunCategoryMenuCommand(Window(c.runner), c.command);

    ExpectShown(c.dialogs, seen);
    ExpectActivationBackOn(c.runner, c.dialogs);
    EXPECT_EQ(CategoriesFile(), c.categories);
    // What the process keeps is what it wrote.
    EXPECT_EQ(FormatCategoriesFile(Categories()), Utf16(c.categories));
    ExpectNotes(c.runner, c.notes);
    if (c.repaintsEveryNote) {
        for (HWND window : windows_) EXPECT_TRUE(NeedsRepaint(window));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SucceedingCategoryCommand, ::testing::ValuesIn(kSucceedingCommands),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Measuring and painting the owner-drawn items, through the note window.

namespace {

constexpr int kItemWidth = 220;

OwnerDrawMenuItem Item(const std::u16string& text, bool submenu = false, bool checked = false, bool greyed = false) {
    OwnerDrawMenuItem item;
    item.text = text;
    item.hasSubmenu = submenu;
    item.isChecked = checked;
    item.isGreyed = greyed;
    return item;
}

OwnerDrawMenuItem SeparatorItem() {
    OwnerDrawMenuItem item;
    item.isSeparator = true;
    return item;
}

MEASUREITEMSTRUCT Measure(HWND note, const OwnerDrawMenuItem& item) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    return measure;
}

SIZE TextExtent(const std::u16string& text) {
    WindowDc screen(nullptr);
    SelectScope font(screen.Get(), TextFontOrDefault());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), Wide(text), static_cast<int>(text.size()), &size);
    return size;
}

// One item drawn by the note into a 32-bit top-down bitmap.
class ItemPicture {
public:
    ItemPicture(HWND note, const OwnerDrawMenuItem& item, bool selected, int height)
        : height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kItemWidth;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const DWORD*>(bits);
        SelectScope selectedBitmap(dc_.Get(), bitmap_.Get());
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = selected ? ODS_SELECTED : 0;
        if (item.isGreyed) draw.itemState |= ODS_GRAYED | ODS_DISABLED;
        draw.hDC = dc_.Get();
        draw.rcItem = RECT{0, 0, kItemWidth, height};
        draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
        handled_ = SendMessageW(note, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)) == TRUE;
        GdiFlush();
    }

    bool Handled() const { return handled_; }
    int Middle() const { return height_ / 2; }

    COLORREF At(int x, int y) const {
        const DWORD pixel = bits_[y * kItemWidth + x];  // 0x00RRGGBB in a DIB
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    int Count(int left, int top, int right, int bottom, COLORREF colour) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    int CountAll(COLORREF colour) const { return Count(0, 0, kItemWidth, height_, colour); }

private:
    int height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    const DWORD* bits_ = nullptr;
    bool handled_ = false;
};

}  // namespace

TEST_F(CategoryMenu, ItemsAreMeasuredFromTheirTextInTheNoteFont) {
    HWND note = MakeNote({});
    ASSERT_EQ(TextFontOrDefault(), TextFont());  // the note made the font
    // The sizes below hold for the 16-pixel note font as Wine draws it, in
    // which this text is 164 pixels wide and 22 high.
    const std::u16string text = u"Gerer les categories...";
    const SIZE extent = TextExtent(text);
    ASSERT_EQ(extent.cx, 164);
    ASSERT_EQ(extent.cy, 22);

    // The text, the check column and the right margin; 3 pixels above and below.
    const MEASUREITEMSTRUCT plain = Measure(note, Item(text));
    EXPECT_EQ(plain.itemWidth, 200u);
    EXPECT_EQ(plain.itemHeight, 28u);
    // Room for the triangle.
    const MEASUREITEMSTRUCT submenu = Measure(note, Item(text, true));
    EXPECT_EQ(submenu.itemWidth, 206u);
    EXPECT_EQ(submenu.itemHeight, 28u);
    const MEASUREITEMSTRUCT separator = Measure(note, SeparatorItem());
    EXPECT_EQ(separator.itemWidth, 0u);
    EXPECT_EQ(separator.itemHeight, 8u);

    // Requests that are not for a menu item are left to the system.
    MEASUREITEMSTRUCT control{};
    control.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(note, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&control)), FALSE);
}

TEST_F(CategoryMenu, LightNoteItemsHaveDarkTextAndADarkerSelection) {
    HWND note = MakeNote({});
    const MenuColours colours = OwnerDrawMenuColours(kDefaultNoteColour);
    const OwnerDrawMenuItem item = Item(u"Maison");
    const ItemPicture normal(note, item, false, 28);
    ASSERT_TRUE(normal.Handled());
    EXPECT_EQ(normal.At(kItemWidth - 2, 1), kDefaultNoteColour);
    EXPECT_GT(normal.Count(24, 0, kItemWidth, 28, kDarkTextColour), 10);
    EXPECT_EQ(normal.Count(0, 0, 24, 28, kDarkTextColour), 0);  // no check mark, text starts at 24

    const ItemPicture selected(note, item, true, 28);
    EXPECT_EQ(selected.At(kItemWidth - 2, 1), colours.selectedBackground);
    EXPECT_EQ(selected.At(2, 26), colours.selectedBackground);
    EXPECT_GT(selected.Count(24, 0, kItemWidth, 28, kDarkTextColour), 10);
}

TEST_F(CategoryMenu, DarkNoteItemsHaveLightTextAndALighterSelection) {
    HWND note = MakeNote({.colour = kDarkColour});
    const MenuColours colours = OwnerDrawMenuColours(kDarkColour);
    const OwnerDrawMenuItem item = Item(u"Maison");
    const ItemPicture normal(note, item, false, 28);
    EXPECT_EQ(normal.At(kItemWidth - 2, 1), kDarkColour);
    EXPECT_GT(normal.CountAll(kLightTextColour), 10);
    EXPECT_EQ(normal.CountAll(kDarkTextColour), 0);

    const ItemPicture selected(note, item, true, 28);
    EXPECT_EQ(selected.At(kItemWidth - 2, 1), colours.selectedBackground);
}

TEST_F(CategoryMenu, GreyedTextIsFadedButItsCheckMarkIsNot) {
    for (ColourRef base : {kDefaultNoteColour, kDarkColour}) {
        SCOPED_TRACE(base);
        HWND note = MakeNote({.id = base, .colour = base});
        const MenuColours colours = OwnerDrawMenuColours(base);
        const ItemPicture greyed(note, Item(u"Tessaline (Section 2)", false, true, true), false, 28);
        EXPECT_GT(greyed.Count(24, 0, kItemWidth, 28, colours.greyedText), 10);
        EXPECT_EQ(greyed.Count(24, 0, kItemWidth, 28, colours.text), 0);
        EXPECT_GT(greyed.Count(6, 0, 18, 28, colours.text), 6);  // the check mark
    }
}

TEST_F(CategoryMenu, CheckMarkOnlyOnCheckedItems) {
    HWND note = MakeNote({});
    const ItemPicture checked(note, Item(u"Ordinaire", false, true), false, 28);
    const int m = checked.Middle();
    EXPECT_GT(checked.Count(6, m - 6, 18, m + 6, kDarkTextColour), 6);
    EXPECT_EQ(checked.At(10, m + 4), kDarkTextColour);  // the bottom of the tick
    const ItemPicture unchecked(note, Item(u"Ordinaire"), false, 28);
    EXPECT_EQ(unchecked.Count(0, 0, 24, 28, kDarkTextColour), 0);
}

TEST_F(CategoryMenu, SeparatorIsAThinLineInsetFromBothEdges) {
    HWND note = MakeNote({});
    const MenuColours colours = OwnerDrawMenuColours(kDefaultNoteColour);
    const ItemPicture separator(note, SeparatorItem(), true, 8);  // never drawn as selected
    EXPECT_EQ(separator.At(6, 4), colours.separator);
    EXPECT_EQ(separator.At(kItemWidth - 7, 4), colours.separator);
    EXPECT_EQ(separator.At(5, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.At(kItemWidth - 6, 4), kDefaultNoteColour);
    EXPECT_EQ(separator.Count(0, 0, kItemWidth, 8, colours.separator), kItemWidth - 12);
}

TEST_F(CategoryMenu, SubmenuItemsEndInATriangleAndLongTextIsCutBeforeIt) {
    HWND note = MakeNote({});
    const std::u16string longText(60, u'W');
    const ItemPicture submenu(note, Item(longText, true), false, 28);
    const int m = submenu.Middle();
    EXPECT_EQ(submenu.At(kItemWidth - 11, m), kDarkTextColour);
    EXPECT_EQ(submenu.At(kItemWidth - 6, m), kDefaultNoteColour);
    EXPECT_EQ(submenu.At(kItemWidth - 11, m - 6), kDefaultNoteColour);
    // Nothing of the text between its box and the triangle.
    EXPECT_EQ(submenu.Count(kItemWidth - 18, 0, kItemWidth - 12, 28, kDarkTextColour), 0);

    const ItemPicture plain(note, Item(longText), false, 28);
    EXPECT_EQ(plain.Count(kItemWidth - 12, 0, kItemWidth, 28, kDarkTextColour), 0);
    EXPECT_GT(plain.Count(kItemWidth - 40, 0, kItemWidth - 12, 28, kDarkTextColour), 0);  // up to the ellipsis
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

RECT ClientAreaOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// The note and every open menu level, with a margin.
RECT SceneAround(HWND note, const std::vector<HWND>& menus) {
    RECT scene{};
    GetWindowRect(note, &scene);
    for (HWND menu : menus) {
        RECT rect{};
        GetWindowRect(menu, &rect);
        UnionRect(&scene, &scene, &rect);
    }
    InflateRect(&scene, 10, 10);
    return scene;
}

// What one open menu level shows inside its frame: only the note's colour,
// the selection, separators, text and the marks the items paint themselves.
struct MenuPixels {
    int background = 0;
    int selected = 0;
    int foreign = 0;  // darker than the dark text, or lighter than the light text
    int total = 0;
};

MenuPixels ReadMenuPixels(HWND menu, ColourRef base) {
    const MenuColours colours = OwnerDrawMenuColours(base);
    const RECT client = ClientAreaOnScreen(menu);
    const ScreenPicture picture(client);
    MenuPixels counts;
    const int darkest = Luminance(kDarkTextColour);
    const int lightest = Luminance(kLightTextColour);
    counts.total = (client.right - client.left) * (client.bottom - client.top);
    counts.background = picture.Count(client, [&](COLORREF c) { return c == base; });
    counts.selected = picture.Count(client, [&](COLORREF c) { return c == colours.selectedBackground; });
    counts.foreign = picture.Count(client, [&](COLORREF c) {
        const int luminance = Luminance(c);
        return c == CLR_INVALID || luminance < darkest - 2 || luminance > lightest + 2;
    });
    return counts;
}

}  // namespace

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
        // painted with its chosen item and the whole scene stays the same
        // from one tick to the next (the screen can show a window a moment
        // before all of it is drawn).
        auto previous = std::make_shared<std::uint64_t>(0);
        user_.Then([&, previous] {
            const std::vector<HWND> menus = user_.OpenMenus();
            if (menus.size() != depth) return false;
            for (HWND menu : menus) {
                const MenuPixels pixels = ReadMenuPixels(menu, colour);
                if (pixels.background < pixels.total / 3 || pixels.selected == 0) return false;
            }
            const RECT scene = SceneAround(note, menus);
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

TEST_F(NoteMenuOnScreen, LightNoteMenuIsPaintedInTheNoteColourWithDarkText) {
    // Down to "Travail".
    ShowAndLook(kDefaultNoteColour, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, 1, u"note-menu-light");
}

TEST_F(NoteMenuOnScreen, DarkNoteMenuIsPaintedInTheNoteColourWithLightText) {
    ShowAndLook(kDarkColour, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, 1, u"note-menu-dark");
}

TEST_F(NoteMenuOnScreen, ManageSubmenusShowInTheNoteColourToo) {
    // Down to "Gerer les categories...", into it on "Travail", into that.
    std::vector<WORD> keys(11, VK_DOWN);
    keys.push_back(VK_RIGHT);
    keys.push_back(VK_RIGHT);
    ShowAndLook(kDefaultNoteColour, keys, 3, u"manage-categories");
}

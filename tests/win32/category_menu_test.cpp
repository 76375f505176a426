// The note menu and the category commands on real windows: the HMENU as
// built, the menu tracked with real keys, every command with its dialogs
// answered from a thread timer that their own modal loops dispatch, the
// owner-drawn painting, and the start-up reconciliation of notes.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "categories/category_menu.h"
#include "categories/category_passes.h"
#include "categories/category_menu_model.h"
#include "i18n/built_in_english.h"
#include "i18n/translation.h"
#include "notes/note_commands.h"
#include "notes/note_loading.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/note_files.h"
#include "test_support.h"
#include "ui/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/shared_fonts.h"
#include "ui/text_input_dialog.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr ColourRef kWorkColour = 0x0066CCFF;    // file "FFCC66"
constexpr ColourRef kHomeColour = 0x00A0E0A0;    // file "A0E0A0"
constexpr ColourRef kDarkColour = 0x00402010;
constexpr std::int32_t kWork = 1;
constexpr std::int32_t kHome = 2;
constexpr std::int32_t kUrgent = 3;
constexpr std::int32_t kLater = 4;
constexpr char kTwoCategoriesFile[] =
    "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n";

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kInputEditId = 100;
constexpr int kColourRedEditId = 706;  // then green 707 and blue 708
constexpr UINT kScriptPeriod = 10;
constexpr UINT kWatchdogPeriod = 5000;

// ---------------------------------------------------------------------------
// A script of what the user does in the menus and dialogs the code under test
// opens. A thread timer, dispatched by whatever modal loop runs, performs the
// first step whose window has appeared; a watchdog closes whatever a failing
// test left open so that the run never blocks.

using Step = std::function<bool()>;  // true once it has acted
std::deque<Step> script;
UINT_PTR scriptTimer = 0;
UINT_PTR watchdogTimer = 0;

HWND VisibleWindowOfClass(const wchar_t* className) {
    for (HWND window : WindowsOfClass(className)) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

std::vector<HWND> VisibleMenus() {
    std::vector<HWND> menus;
    for (HWND menu : WindowsOfClass(kMenuClass)) {
        if (IsWindowVisible(menu)) menus.push_back(menu);
    }
    return menus;
}

HWND ColourDialog() {
    for (HWND box : WindowsOfClass(kDialogClass)) {
        if (IsWindowVisible(box) && GetDlgItem(box, kColourRedEditId)) return box;
    }
    return nullptr;
}

HWND MessageBoxWindow() {
    for (HWND box : WindowsOfClass(kDialogClass)) {
        if (IsWindowVisible(box) && !GetDlgItem(box, kColourRedEditId)) return box;
    }
    return nullptr;
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD) {
    if (!script.empty() && script.front()()) script.pop_front();
}

void CloseEverythingOpen() {
    if (!VisibleMenus().empty()) EndMenu();
    for (HWND box : WindowsOfClass(kDialogClass)) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    for (HWND input : WindowsOfClass(kTextInputDialogClass)) PostMessageW(input, WM_CLOSE, 0, 0);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    const bool anythingOpen = !VisibleMenus().empty() || !WindowsOfClass(kDialogClass).empty() ||
                              !WindowsOfClass(kTextInputDialogClass).empty();
    if (!anythingOpen) return;
    ADD_FAILURE() << "a menu or dialog was still open; " << script.size() << " steps were left";
    script.clear();
    CloseEverythingOpen();
}

void Then(Step step) {
    script.push_back(std::move(step));
}

// Once exactly `depth` menu levels are open, runs `look` and presses the keys.
void WhenMenusOpen(size_t depth, std::vector<WORD> keys, std::function<void()> look = nullptr) {
    Then([depth, keys, look] {
        if (VisibleMenus().size() != depth) return false;
        if (look) look();
        PressKeys(keys);
        return true;
    });
}

// What the user saw in a dialog before answering it.
struct Seen {
    bool shown = false;
    std::u16string title;
    std::u16string text;  // the input's initial text, or the message box text
    ColourRef colour = 0;  // the colour dialog's initial colour
    bool customPartOpen = false;
    HICON icon = nullptr;
};

void AnswerTextInput(const std::u16string& typed, Seen* seen = nullptr) {
    Then([typed, seen] {
        HWND dialog = VisibleWindowOfClass(kTextInputDialogClass);
        if (!dialog) return false;
        HWND edit = GetDlgItem(dialog, kInputEditId);
        if (seen) {
            seen->shown = true;
            seen->title = WindowTextOf(dialog);
            seen->text = WindowTextOf(edit);
        }
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(typed)));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return true;
    });
}

void CancelTextInput() {
    Then([] {
        HWND dialog = VisibleWindowOfClass(kTextInputDialogClass);
        if (!dialog) return false;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    });
}

int ColourEditValue(HWND dialog, int offset) {
    return static_cast<int>(GetDlgItemInt(dialog, kColourRedEditId + offset, nullptr, FALSE));
}

// Confirms the colour dialog, after typing `chosen` into its red, green and
// blue fields unless it is the colour the dialog opened with.
void AnswerColour(std::optional<ColourRef> chosen, Seen* seen = nullptr) {
    Then([chosen, seen] {
        HWND dialog = ColourDialog();
        if (!dialog) return false;
        if (seen) {
            seen->shown = true;
            seen->colour = RGB(ColourEditValue(dialog, 0), ColourEditValue(dialog, 1), ColourEditValue(dialog, 2));
            seen->customPartOpen = IsWindowVisible(GetDlgItem(dialog, kColourRedEditId)) != FALSE;
        }
        if (chosen) {
            SetDlgItemInt(dialog, kColourRedEditId, GetRValue(*chosen), FALSE);
            SetDlgItemInt(dialog, kColourRedEditId + 1, GetGValue(*chosen), FALSE);
            SetDlgItemInt(dialog, kColourRedEditId + 2, GetBValue(*chosen), FALSE);
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
}

void CancelColour() {
    Then([] {
        HWND dialog = ColourDialog();
        if (!dialog) return false;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
}

BOOL CALLBACK ReadMessageBoxChild(HWND child, LPARAM parameter) {
    auto* seen = reinterpret_cast<Seen*>(parameter);
    if (ClassNameOf(child) != u"Static") return TRUE;
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        seen->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    } else if (seen->text.empty()) {
        seen->text = WindowTextOf(child);
    }
    return TRUE;
}

void AnswerMessageBox(UINT command, Seen* seen = nullptr) {
    Then([command, seen] {
        HWND box = MessageBoxWindow();
        if (!box) return false;
        if (seen) {
            *seen = Seen{};
            seen->shown = true;
            seen->title = WindowTextOf(box);
            EnumChildWindows(box, ReadMessageBoxChild, reinterpret_cast<LPARAM>(seen));
        }
        PostMessageW(box, WM_COMMAND, command, 0);
        return true;
    });
}

// ---------------------------------------------------------------------------
// Notes and files.

struct NoteSetup {
    std::uint64_t id = 1;
    int x = 100;
    int y = 100;
    ColourRef colour = kDefaultNoteColour;
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;
    std::int32_t type = kNoteRegular;
    std::u16string text = u"texte";
};

constexpr int kNoteWidth = 240;
constexpr int kNoteHeight = 200;

std::string ColourHex(ColourRef colour) {
    char hex[8] = {};
    wsprintfA(hex, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return hex;
}

// The file SaveNote writes for a floating note with ASCII text.
std::string SavedFile(const NoteSetup& setup) {
    return "X=" + std::to_string(setup.x) + "\r\nY=" + std::to_string(setup.y) + "\r\nW=" +
           std::to_string(kNoteWidth) + "\r\nH=" + std::to_string(kNoteHeight) + "\r\nCOLOR=#" +
           ColourHex(setup.colour) + "\r\nCAT=" + std::to_string(setup.categoryId) +
           "\r\nSUBCAT=" + std::to_string(setup.subcategoryId) + "\r\nPIN=0\r\nDOCK=0\r\nLASTDOCK=0\r\nTYPE=" +
           std::to_string(setup.type) + "\r\n---\r\n" + std::string(setup.text.begin(), setup.text.end());
}

// Stands in for a note file until the program writes one: any save replaces it.
constexpr char kUntouched[] = "X=1\r\n---\r\nnot rewritten";

class CategoryMenu : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Categories() = CategoryStore{};
        script.clear();
        scriptTimer = SetTimer(nullptr, 0, kScriptPeriod, RunScript);
        watchdogTimer = SetTimer(nullptr, 0, kWatchdogPeriod, Watchdog);
    }

    void TearDown() override {
        KillTimer(nullptr, scriptTimer);
        KillTimer(nullptr, watchdogTimer);
        EXPECT_TRUE(script.empty()) << script.size() << " steps were never taken";
        script.clear();
        Categories() = CategoryStore{};
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

    HWND MakeNote(const NoteSetup& setup) {
        NoteCreateParams params;
        params.id = setup.id;
        params.x = setup.x;
        params.y = setup.y;
        params.width = kNoteWidth;
        params.height = kNoteHeight;
        params.colour = setup.colour;
        params.categoryId = setup.categoryId;
        params.subcategoryId = setup.subcategoryId;
        params.type = setup.type;
        params.body = setup.text;
        return ShowNewNote(params);
    }

    // Gives the notes' files a marker that any save of them would replace.
    // No note may keep the focus: an edit that loses it saves its note.
    void MarkFiles(std::initializer_list<std::uint64_t> ids) {
        SetFocus(nullptr);
        PumpPending();
        CreateDirectoryW(Wide(DataPath()), nullptr);
        CreateDirectoryW(Wide(DataPath(u"notes")), nullptr);
        for (std::uint64_t id : ids) WriteRawFile(NoteFilePath(id), kUntouched);
    }

    // The note that ran a command may have been saved as it lost the focus
    // to a dialog, but never with a change.
    void ExpectUnchanged(const NoteSetup& setup) {
        const std::string file = NoteFile(setup.id);
        if (!file.empty()) {
            EXPECT_EQ(file, SavedFile(setup));
        }
        const Note* note = nullptr;
        for (HWND window : WindowsOfClass(kNoteWindowClass)) {
            if (NoteFromWindow(window)->id == setup.id) note = NoteFromWindow(window);
        }
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->colour, setup.colour);
        EXPECT_EQ(note->categoryId, setup.categoryId);
        EXPECT_EQ(note->subcategoryId, setup.subcategoryId);
    }

    std::string NoteFile(std::uint64_t id) { return ReadRawFile(NoteFilePath(id)); }
    std::string CategoriesFile() { return ReadRawFile(DataPath(u"categories.txt")); }
};

}  // namespace

// ---------------------------------------------------------------------------
// The HMENU as built, item by item.

namespace {

struct ExpectedItem {
    enum Kind { Command, Separator, Submenu } kind = Command;
    std::u16string text;
    UINT id = 0;
    bool checked = false;
    bool greyed = false;
    std::vector<ExpectedItem> children;
};

ExpectedItem Cmd(std::u16string text, UINT id, bool checked = false) {
    return ExpectedItem{ExpectedItem::Command, std::move(text), id, checked, false, {}};
}
ExpectedItem Sep() {
    return ExpectedItem{ExpectedItem::Separator, u"", 0, false, false, {}};
}
ExpectedItem Sub(std::u16string text, std::vector<ExpectedItem> children) {
    return ExpectedItem{ExpectedItem::Submenu, std::move(text), 0, false, false, std::move(children)};
}

bool IsRecord(const OwnerDrawItems& records, ULONG_PTR data) {
    for (const auto& record : records) {
        if (reinterpret_cast<ULONG_PTR>(record.get()) == data) return true;
    }
    return false;
}

void ExpectMenu(HMENU menu, const std::vector<ExpectedItem>& expected, const OwnerDrawItems& records,
                const std::string& path) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << path;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedItem& want = expected[i];
        const std::string where = path + "/" + std::to_string(i);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) << where;
        EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW)) << where;
        ASSERT_TRUE(IsRecord(records, info.dwItemData)) << where;
        const auto* record = reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData);
        EXPECT_EQ(record->text, want.text) << where;
        EXPECT_EQ(record->isSeparator, want.kind == ExpectedItem::Separator) << where;
        EXPECT_EQ(record->hasSubmenu, want.kind == ExpectedItem::Submenu) << where;
        EXPECT_EQ(record->isChecked, want.checked) << where;
        EXPECT_EQ(record->isGreyed, want.greyed) << where;
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, want.checked) << where;
        const bool disabled = want.greyed || want.kind == ExpectedItem::Separator;
        EXPECT_EQ((info.fState & MFS_DISABLED) != 0, disabled) << where;
        EXPECT_EQ((info.fState & MF_GRAYED) != 0, want.greyed) << where;
        if (want.kind == ExpectedItem::Submenu) {
            ASSERT_NE(info.hSubMenu, nullptr) << where;
            ExpectMenu(info.hSubMenu, want.children, records, where + " " + std::string(want.text.begin(), want.text.end()));
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr) << where;
            EXPECT_EQ(info.wID, want.id) << where;
        }
    }
}

std::vector<ExpectedItem> NoteTypeItems(std::int32_t type, const std::u16string& regular,
                                        const std::u16string& scheduled) {
    ExpectedItem placeholder = Cmd(u"Tessaline (Section 2)", 0x9000002, type == kNotePlaceholder);
    placeholder.greyed = true;
    return {Cmd(regular, 0x9000000, type == kNoteRegular), Cmd(scheduled, 0x9000001, type == kNoteScheduled),
            placeholder};
}

struct MenuTexts {
    std::u16string noteType, regular, scheduled, uncategorised, newCategory, manage, newSubcategory, renameCategory,
        colour, deleteCategory, rename, remove;
};

const MenuTexts kFrench = {u"Type de note",
                           u"Ordinaire",
                           u"Cedulee",
                           u"Non-categorise",
                           u"Nouvelle categorie...",
                           u"Gerer les categories...",
                           u"+ Nouvelle sous-categorie...",
                           u"Renommer la categorie...",
                           u"Couleur...",
                           u"Supprimer la categorie",
                           u"Renommer...",
                           u"Supprimer"};
const MenuTexts kEnglish = {u"Note type",
                            u"Regular",
                            u"Scheduled",
                            u"Uncategorized",
                            u"New category...",
                            u"Manage categories...",
                            u"+ New subcategory...",
                            u"Rename category...",
                            u"Color...",
                            u"Delete category",
                            u"Rename...",
                            u"Delete"};

// The menu of a note filed under "Travail > Plus tard" with the two categories.
std::vector<ExpectedItem> TwoCategoryMenu(const MenuTexts& t, std::int32_t type) {
    return {
        Sub(t.noteType, NoteTypeItems(type, t.regular, t.scheduled)),
        Sep(),
        Cmd(t.uncategorised, 1),
        Sep(),
        Cmd(u"Travail", 0x1000001),
        Cmd(u"    Urgent", 0x2000003),
        Cmd(u"    Plus tard", 0x2000004, true),
        Cmd(u"Maison", 0x1000002),
        Sep(),
        Cmd(t.newCategory, 2),
        Sub(t.manage,
            {Sub(u"Travail", {Cmd(t.newSubcategory, 0x3000001), Cmd(t.renameCategory, 0x4000001),
                              Cmd(t.colour, 0x5000001), Cmd(t.deleteCategory, 0x6000001), Sep(),
                              Sub(u"Urgent", {Cmd(t.rename, 0x7000003), Cmd(t.remove, 0x8000003)}),
                              Sub(u"Plus tard", {Cmd(t.rename, 0x7000004), Cmd(t.remove, 0x8000004)})}),
             Sub(u"Maison", {Cmd(t.newSubcategory, 0x3000002), Cmd(t.renameCategory, 0x4000002),
                             Cmd(t.colour, 0x5000002), Cmd(t.deleteCategory, 0x6000002)})}),
    };
}

}  // namespace

TEST_F(CategoryMenu, WithoutCategoriesTheMenuHoldsOnlyTypeFilingAndNewCategory) {
    HWND note = MakeNote({});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    ExpectMenu(menu.Get(),
               {Sub(u"Type de note", NoteTypeItems(kNoteRegular, u"Ordinaire", u"Cedulee")), Sep(),
                Cmd(u"Non-categorise", 1, true), Sep(), Cmd(u"Nouvelle categorie...", 2)},
               records, "menu");
    EXPECT_EQ(records.size(), 8u);  // every item has its record, submenu items included
}

TEST_F(CategoryMenu, TwoCategoriesWithSubcategoriesInFrench) {
    UseTwoCategories();
    HWND note = MakeNote({.colour = kWorkColour, .categoryId = kWork, .subcategoryId = kLater,
                          .type = kNoteScheduled});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    ExpectMenu(menu.Get(), TwoCategoryMenu(kFrench, kNoteScheduled), records, "menu");
}

TEST_F(CategoryMenu, TwoCategoriesInEnglishKeepTheNamesAsTyped) {
    UseTwoCategories();
    FillBuiltInEnglish(ActiveTranslationTable());
    HWND note = MakeNote({.colour = kWorkColour, .categoryId = kWork, .subcategoryId = kLater,
                          .type = kNotePlaceholder});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    ExpectMenu(menu.Get(), TwoCategoryMenu(kEnglish, kNotePlaceholder), records, "menu");
}

TEST_F(CategoryMenu, ChecksTheCategoryOnlyWhenNoSubcategoryIsChosen) {
    UseTwoCategories();
    HWND note = MakeNote({.colour = kHomeColour, .categoryId = kHome});
    OwnerDrawItems records;
    UniqueMenu menu(BuildCategoryPopupMenu(note, records));
    ASSERT_TRUE(menu);
    std::vector<bool> checked;
    for (int i = 2; i <= 7; ++i) checked.push_back((GetMenuState(menu.Get(), i, MF_BYPOSITION) & MF_CHECKED) != 0);
    EXPECT_EQ(checked, (std::vector<bool>{false, false, false, false, false, true}));
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

HMENU MenuOfWindow(HWND menuWindow) {
    return reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
}

struct MenuLook {
    bool noCheckColumn = false;
    COLORREF background = CLR_INVALID;
};

MenuLook LookAt(HMENU menu) {
    MenuLook look;
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | MIM_STYLE;
    if (!GetMenuInfo(menu, &info)) return look;
    look.noCheckColumn = (info.dwStyle & MNS_NOCHECK) != 0;
    LOGBRUSH brush{};
    if (info.hbrBack && GetObjectW(info.hbrBack, sizeof(brush), &brush) == sizeof(brush)) look.background = brush.lbColor;
    return look;
}

}  // namespace

TEST_F(CategoryMenu, RightClickOpensTheMenuAtTheCursorAndTheKeyboardChoosesScheduled) {
    UseTwoCategories();
    const NoteSetup setup{.x = 200, .y = 150};
    HWND note = MakeNote(setup);
    RECT menuRect{};
    std::vector<MenuLook> looks;
    WhenMenusOpen(1, {VK_DOWN, VK_RIGHT}, [&] { GetWindowRect(VisibleMenus().front(), &menuRect); });
    WhenMenusOpen(2, {VK_DOWN, VK_RETURN}, [&] {
        for (HWND menu : VisibleMenus()) looks.push_back(LookAt(MenuOfWindow(menu)));
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
    EXPECT_FALSE(IsWindowVisible(NoteEditOf(note)));
    NoteSetup saved = setup;
    saved.type = kNoteScheduled;
    EXPECT_EQ(NoteFile(setup.id), SavedFile(saved));
    EXPECT_TRUE(VisibleMenus().empty());
}

TEST_F(CategoryMenu, TheGreyedPlaceholderTypeCannotBeChosen) {
    const NoteSetup setup{};
    HWND note = MakeNote(setup);
    bool onPlaceholder = false;
    WhenMenusOpen(1, {VK_DOWN, VK_RIGHT});
    WhenMenusOpen(2, {VK_DOWN, VK_DOWN});
    WhenMenusOpen(2, {VK_RETURN}, [&] {
        for (HWND window : VisibleMenus()) {
            HMENU menu = MenuOfWindow(window);
            if (GetMenuItemCount(menu) == 3) onPlaceholder = (GetMenuState(menu, 2, MF_BYPOSITION) & MF_HILITE) != 0;
        }
    });
    // Where the system keeps the menu open on a disabled item, leave it.
    WhenMenusOpen(2, {VK_ESCAPE, VK_ESCAPE});
    OwnerDrawItems records;
    const UINT command = TrackNoteMenu(note, BuildCategoryPopupMenu(note, records), 150, 150);
    script.clear();  // the last step is not needed where the menu closes

    EXPECT_TRUE(onPlaceholder);
    EXPECT_EQ(command, 0u);
    EXPECT_TRUE(VisibleMenus().empty());
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteRegular);
    EXPECT_FALSE(FileExists(NoteFilePath(setup.id)));
}

TEST_F(CategoryMenu, FilingFromTheMenuTakesTheSubcategorysCategoryAndColour) {
    UseTwoCategories();
    const NoteSetup setup{};
    HWND note = MakeNote(setup);
    // Type, separator, "Non-categorise", separator, "Travail", "    Urgent".
    WhenMenusOpen(1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ShowCategoryMenu(note, 150, 150);
    const Note* record = NoteFromWindow(note);
    EXPECT_EQ(record->categoryId, kWork);
    EXPECT_EQ(record->subcategoryId, kUrgent);
    EXPECT_EQ(record->colour, kWorkColour);
    EXPECT_EQ(NoteFile(setup.id), SavedFile({.colour = kWorkColour, .categoryId = kWork, .subcategoryId = kUrgent}));
}

TEST_F(CategoryMenu, EscapeChangesNothing) {
    UseTwoCategories();
    const NoteSetup setup{.colour = kHomeColour, .categoryId = kHome};
    HWND note = MakeNote(setup);
    MarkFiles({setup.id});
    WhenMenusOpen(1, {VK_DOWN, VK_ESCAPE});
    ShowCategoryMenu(note, 150, 150);
    EXPECT_EQ(NoteFile(setup.id), kUntouched);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
}

// ---------------------------------------------------------------------------
// The commands, with their dialogs answered.

TEST_F(CategoryMenu, NewCategoryAsksANameThenAColourAndFilesTheNoteUnderIt) {
    UseTwoCategories();
    const NoteSetup setup{.text = u"idees"};
    HWND note = MakeNote(setup);
    Seen input, colour;
    AnswerTextInput(u"Loisirs", &input);
    AnswerColour(0x00FFC080, &colour);
    RunCategoryMenuCommand(note, kCommandNewCategory);

    EXPECT_EQ(input.title, u"Nouvelle categorie");
    EXPECT_EQ(input.text, u"");
    EXPECT_EQ(colour.colour, kDefaultNoteColour);  // starts from the note's colour
    EXPECT_TRUE(colour.customPartOpen);
    const Category* created = FindCategory(Categories(), 5);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->name, u"Loisirs");
    EXPECT_EQ(created->colour, 0x00FFC080u);
    EXPECT_EQ(Categories().nextId, 6);
    EXPECT_EQ(CategoriesFile(), std::string(kTwoCategoriesFile).replace(7, 1, "6") + "CAT|5|80C0FF|Loisirs\r\n");
    const Note* record = NoteFromWindow(note);
    EXPECT_EQ(record->categoryId, 5);
    EXPECT_EQ(record->subcategoryId, 0);
    EXPECT_EQ(record->colour, 0x00FFC080u);
    EXPECT_EQ(NoteFile(setup.id), SavedFile({.colour = 0x00FFC080, .categoryId = 5, .text = u"idees"}));
}

TEST_F(CategoryMenu, FirstCategoryOfAFreshInstallationGetsIdOne) {
    const NoteSetup setup{.colour = kDarkColour};
    HWND note = MakeNote(setup);
    AnswerTextInput(u"A|B\tC");
    AnswerColour(std::nullopt);  // keeps the note's own colour
    RunCategoryMenuCommand(note, kCommandNewCategory);
    EXPECT_EQ(CategoriesFile(), "NEXTID|2\r\nCAT|1|102040|ABC\r\n");
    EXPECT_EQ(NoteFile(setup.id), SavedFile({.colour = kDarkColour, .categoryId = 1}));
}

TEST_F(CategoryMenu, NewCategoryInAColourAlreadyTakenWarnsAndCreatesNothing) {
    UseTwoCategories();
    const NoteSetup setup{.colour = kHomeColour};  // uncategorised, in Maison's colour
    HWND note = MakeNote(setup);
    Seen warning;
    AnswerTextInput(u"Doublon");
    AnswerColour(std::nullopt);
    AnswerMessageBox(IDOK, &warning);
    RunCategoryMenuCommand(note, kCommandNewCategory);

    EXPECT_EQ(warning.title, u"Quillboard");
    EXPECT_EQ(warning.text, u"Cette couleur est deja utilisee par une autre categorie.");
    EXPECT_EQ(warning.icon, LoadIconW(nullptr, IDI_WARNING));
    EXPECT_EQ(Categories().categories.size(), 2u);
    EXPECT_EQ(Categories().nextId, 5);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    ExpectUnchanged(setup);
}

TEST_F(CategoryMenu, CancellingEitherDialogOrGivingNoNameCreatesNothing) {
    UseTwoCategories();
    const NoteSetup setup{};
    HWND note = MakeNote(setup);
    struct Case {
        const char* name;
        std::function<void()> answer;
    };
    const std::vector<Case> cases = {
        {"name cancelled", [] { CancelTextInput(); }},
        {"empty name", [] { AnswerTextInput(u""); }},
        {"colour cancelled", [] { AnswerTextInput(u"Loisirs"); CancelColour(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.answer();
        RunCategoryMenuCommand(note, kCommandNewCategory);
        EXPECT_TRUE(script.empty());
        EXPECT_EQ(ColourDialog(), nullptr);
        EXPECT_EQ(Categories().categories.size(), 2u);
        EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
        ExpectUnchanged(setup);
    }
}

TEST_F(CategoryMenu, WhenIdsAreUsedUpNoCategoryOrSubcategoryCanBeMade) {
    UseTwoCategories();
    Categories().nextId = kCategoryIdLimit;
    const NoteSetup setup{};
    HWND note = MakeNote(setup);
    for (UINT command : {kCommandNewCategory, kCommandNewSubcategory + kWork}) {
        Seen warning;
        AnswerMessageBox(IDOK, &warning);  // comes before any dialog
        RunCategoryMenuCommand(note, command);
        EXPECT_TRUE(warning.shown);
        EXPECT_EQ(warning.icon, LoadIconW(nullptr, IDI_WARNING));
        EXPECT_EQ(warning.text,
                  u"Impossible de creer une autre categorie : le nombre maximal d'identifiants est atteint.");
    }
    EXPECT_EQ(Categories().categories.size(), 2u);
    EXPECT_EQ(Categories().categories[0].subcategories.size(), 2u);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    ExpectUnchanged(setup);
}

TEST_F(CategoryMenu, NewSubcategoryFilesTheNoteUnderIt) {
    UseTwoCategories();
    const NoteSetup setup{};
    HWND note = MakeNote(setup);
    Seen input;
    AnswerTextInput(u"Jardin", &input);
    RunCategoryMenuCommand(note, kCommandNewSubcategory + kHome);
    EXPECT_EQ(input.title, u"Nouvelle sous-categorie");
    EXPECT_EQ(input.text, u"");
    EXPECT_EQ(CategoriesFile(),
              "NEXTID|6\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n"
              "SUB|2|5|Jardin\r\n");
    EXPECT_EQ(NoteFile(setup.id), SavedFile({.colour = kHomeColour, .categoryId = kHome, .subcategoryId = 5}));
}

namespace {

// Notes in both categories and one outside.
struct ThreeNotes {
    NoteSetup urgent{.id = 11, .x = 100, .colour = kWorkColour, .categoryId = kWork, .subcategoryId = kUrgent};
    NoteSetup work{.id = 12, .x = 400, .colour = kWorkColour, .categoryId = kWork};
    NoteSetup home{.id = 13, .x = 700, .colour = kHomeColour, .categoryId = kHome};
    NoteSetup loose{.id = 14, .x = 1000, .colour = 0x00C0C0C0};
    HWND urgentNote = nullptr, workNote = nullptr, homeNote = nullptr, looseNote = nullptr;
};

bool NeedsRepaint(HWND window) {
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

}  // namespace

class CategoryCommands : public CategoryMenu {
protected:
    void SetUp() override {
        CategoryMenu::SetUp();
        UseTwoCategories();
        notes_.urgentNote = MakeNote(notes_.urgent);
        notes_.workNote = MakeNote(notes_.work);
        notes_.homeNote = MakeNote(notes_.home);
        notes_.looseNote = MakeNote(notes_.loose);
        menuNote_ = MakeNote(menu_);
        MarkFiles({notes_.urgent.id, notes_.work.id, notes_.home.id, notes_.loose.id});
    }

    std::vector<HWND> AllNotes() const {
        return {notes_.urgentNote, notes_.workNote, notes_.homeNote, notes_.looseNote, menuNote_};
    }

    // Paints every note now, so that a later invalidation shows.
    void PaintAll() {
        for (HWND note : AllNotes()) UpdateWindow(note);
    }

    ThreeNotes notes_;
    // The note whose menu the commands come from, when it is not their subject.
    NoteSetup menu_{.id = 15, .y = 400};
    HWND menuNote_ = nullptr;
};

TEST_F(CategoryCommands, RenamingACategoryRepaintsEveryNoteButSavesNone) {
    Seen input;
    AnswerTextInput(u"Bureau", &input);
    PaintAll();
    RunCategoryMenuCommand(menuNote_, kCommandRenameCategory + kWork);
    for (HWND note : AllNotes()) EXPECT_TRUE(NeedsRepaint(note));

    EXPECT_EQ(input.title, u"Renommer la categorie");
    EXPECT_EQ(input.text, u"Travail");
    EXPECT_EQ(CategoriesFile(), std::string(kTwoCategoriesFile).replace(23, 7, "Bureau"));
    EXPECT_EQ(CategoryLabel(Categories(), kWork, kUrgent), u"Bureau > Urgent");
    for (const NoteSetup* setup : {&notes_.urgent, &notes_.work, &notes_.home, &notes_.loose}) {
        EXPECT_EQ(NoteFile(setup->id), kUntouched);
    }
}

TEST_F(CategoryCommands, RenamingToNothingOrCancellingKeepsTheName) {
    AnswerTextInput(u"");
    RunCategoryMenuCommand(menuNote_, kCommandRenameCategory + kWork);
    CancelTextInput();
    RunCategoryMenuCommand(menuNote_, kCommandRenameSubcategory + kUrgent);
    // The close cross of the dialog's title band.
    Then([] {
        HWND dialog = VisibleWindowOfClass(kTextInputDialogClass);
        if (!dialog) return false;
        RECT client{};
        GetClientRect(dialog, &client);
        PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 13, 15));
        return true;
    });
    RunCategoryMenuCommand(menuNote_, kCommandRenameCategory + kHome);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    // However the dialog closes, the activation goes back to the note that
    // asked, never to another note (which would save it as it lost it again).
    EXPECT_EQ(GetActiveWindow(), menuNote_);
    for (const NoteSetup* setup : {&notes_.urgent, &notes_.work, &notes_.home, &notes_.loose}) {
        EXPECT_EQ(NoteFile(setup->id), kUntouched);
    }
}

TEST_F(CategoryCommands, RecolouringACategoryRecoloursAndSavesOnlyItsNotes) {
    constexpr ColourRef kNewColour = 0x00F0B0C0;
    Seen colour;
    AnswerColour(kNewColour, &colour);
    RunCategoryMenuCommand(menuNote_, kCommandRecolourCategory + kWork);

    EXPECT_EQ(colour.colour, kWorkColour);  // starts from the category's colour
    EXPECT_EQ(CategoriesFile(), std::string(kTwoCategoriesFile).replace(16, 6, "C0B0F0"));
    for (NoteSetup* setup : {&notes_.urgent, &notes_.work}) {
        setup->colour = kNewColour;
        EXPECT_EQ(NoteFile(setup->id), SavedFile(*setup));
    }
    EXPECT_EQ(NoteFromWindow(notes_.urgentNote)->colour, kNewColour);
    EXPECT_EQ(NoteFromWindow(notes_.urgentNote)->subcategoryId, kUrgent);
    EXPECT_EQ(NoteBackgroundBrush(notes_.workNote) != nullptr, true);
    LOGBRUSH brush{};
    GetObjectW(NoteBackgroundBrush(notes_.workNote), sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, kNewColour);
    EXPECT_EQ(NoteFile(notes_.home.id), kUntouched);
    EXPECT_EQ(NoteFile(notes_.loose.id), kUntouched);
}

TEST_F(CategoryCommands, RecolouringToAnotherCategorysColourWarnsAndChangesNothing) {
    Seen warning;
    AnswerColour(kHomeColour);
    AnswerMessageBox(IDOK, &warning);
    RunCategoryMenuCommand(menuNote_, kCommandRecolourCategory + kWork);
    EXPECT_EQ(warning.text, u"Cette couleur est deja utilisee par une autre categorie.");
    EXPECT_EQ(warning.icon, LoadIconW(nullptr, IDI_WARNING));
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    EXPECT_EQ(NoteFromWindow(notes_.workNote)->colour, kWorkColour);
    EXPECT_EQ(NoteFile(notes_.work.id), kUntouched);
}

TEST_F(CategoryCommands, CancelledColourDialogChangesNothing) {
    CancelColour();
    RunCategoryMenuCommand(menuNote_, kCommandRecolourCategory + kWork);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    EXPECT_EQ(NoteFile(notes_.work.id), kUntouched);
}

TEST_F(CategoryCommands, DeletingACategoryAsksFirst) {
    Seen question;
    AnswerMessageBox(IDNO, &question);
    RunCategoryMenuCommand(menuNote_, kCommandDeleteCategory + kWork);
    EXPECT_EQ(question.title, u"Quillboard");
    EXPECT_EQ(question.text, u"Supprimer cette categorie ? Ses notes deviendront non-categorisees.");
    EXPECT_EQ(question.icon, LoadIconW(nullptr, IDI_QUESTION));
    EXPECT_EQ(Categories().categories.size(), 2u);
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    EXPECT_EQ(NoteFile(notes_.urgent.id), kUntouched);
    EXPECT_EQ(NoteFile(notes_.work.id), kUntouched);
}

TEST_F(CategoryCommands, DeletingACategoryLeavesItsNotesUncategorisedInTheirColour) {
    AnswerMessageBox(IDYES);
    RunCategoryMenuCommand(menuNote_, kCommandDeleteCategory + kWork);
    EXPECT_EQ(CategoriesFile(), "NEXTID|5\r\nCAT|2|A0E0A0|Maison\r\n");
    for (NoteSetup* setup : {&notes_.urgent, &notes_.work}) {
        setup->categoryId = 0;
        setup->subcategoryId = 0;
        EXPECT_EQ(NoteFile(setup->id), SavedFile(*setup));  // still in the old colour
    }
    EXPECT_EQ(NoteFromWindow(notes_.urgentNote)->colour, kWorkColour);
    EXPECT_EQ(NoteFile(notes_.home.id), kUntouched);
    EXPECT_EQ(NoteFile(notes_.loose.id), kUntouched);
}

TEST_F(CategoryCommands, RenamingASubcategoryRepaintsButSavesNoNote) {
    Seen input;
    AnswerTextInput(u"Vite", &input);
    PaintAll();
    RunCategoryMenuCommand(menuNote_, kCommandRenameSubcategory + kUrgent);
    for (HWND note : AllNotes()) EXPECT_TRUE(NeedsRepaint(note));
    EXPECT_EQ(input.title, u"Renommer la sous-categorie");
    EXPECT_EQ(input.text, u"Urgent");
    EXPECT_EQ(CategoriesFile(), std::string(kTwoCategoriesFile).replace(40, 6, "Vite"));
    EXPECT_EQ(NoteFile(notes_.urgent.id), kUntouched);
}

TEST_F(CategoryCommands, DeletingASubcategoryMovesItsNotesUpToTheCategory) {
    Seen question;
    AnswerMessageBox(IDNO, &question);
    RunCategoryMenuCommand(menuNote_, kCommandDeleteSubcategory + kUrgent);
    EXPECT_EQ(question.text, u"Supprimer cette sous-categorie ?");
    EXPECT_EQ(question.icon, LoadIconW(nullptr, IDI_QUESTION));
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);

    AnswerMessageBox(IDYES);
    RunCategoryMenuCommand(menuNote_, kCommandDeleteSubcategory + kUrgent);
    EXPECT_EQ(CategoriesFile(),
              "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n");
    notes_.urgent.subcategoryId = 0;
    EXPECT_EQ(NoteFile(notes_.urgent.id), SavedFile(notes_.urgent));
    EXPECT_EQ(NoteFile(notes_.work.id), kUntouched);
}

TEST_F(CategoryCommands, FilingTakesTheCategorysColourAndUncategorisedKeepsIt) {
    HWND note = notes_.looseNote;
    NoteSetup setup = notes_.loose;
    RunCategoryMenuCommand(note, kCommandFileUnderCategory + kHome);
    setup.colour = kHomeColour;
    setup.categoryId = kHome;
    EXPECT_EQ(NoteFile(setup.id), SavedFile(setup));

    RunCategoryMenuCommand(note, kCommandFileUnderSubcategory + kLater);
    setup.colour = kWorkColour;
    setup.categoryId = kWork;
    setup.subcategoryId = kLater;
    EXPECT_EQ(NoteFile(setup.id), SavedFile(setup));

    RunCategoryMenuCommand(note, kCommandUncategorised);
    setup.categoryId = 0;
    setup.subcategoryId = 0;
    EXPECT_EQ(NoteFile(setup.id), SavedFile(setup));
    EXPECT_EQ(NoteFromWindow(note)->colour, kWorkColour);
}

TEST_F(CategoryCommands, CommandsForCategoriesThatNoLongerExistDoNothing) {
    for (UINT command : {kCommandFileUnderCategory + 99, kCommandFileUnderSubcategory + 99,
                         kCommandRenameCategory + 99, kCommandRecolourCategory + 99, kCommandRenameSubcategory + 99,
                         kCommandNewSubcategory + 99}) {
        RunCategoryMenuCommand(notes_.looseNote, command);
    }
    EXPECT_EQ(CategoriesFile(), kTwoCategoriesFile);
    EXPECT_EQ(NoteFromWindow(notes_.looseNote)->categoryId, 0);
    EXPECT_EQ(NoteFromWindow(notes_.looseNote)->colour, 0x00C0C0C0u);
}

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
    const std::u16string text = u"Gerer les categories...";
    const SIZE extent = TextExtent(text);
    const int height = extent.cy <= 18 ? 24 : extent.cy + 6;

    const MEASUREITEMSTRUCT plain = Measure(note, Item(text));
    EXPECT_EQ(plain.itemWidth, static_cast<UINT>(extent.cx + 36));
    EXPECT_EQ(plain.itemHeight, static_cast<UINT>(height));
    const MEASUREITEMSTRUCT submenu = Measure(note, Item(text, true));
    EXPECT_EQ(submenu.itemWidth, static_cast<UINT>(extent.cx + 42));
    EXPECT_EQ(submenu.itemHeight, static_cast<UINT>(height));
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
    EXPECT_EQ(colours.selectedBackground, 0x0083C6CDu);  // 22 % of the way to grey 30
    EXPECT_LT(Luminance(colours.selectedBackground), Luminance(kDefaultNoteColour));
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
    EXPECT_EQ(colours.selectedBackground, 0x00664D41u);  // 22 % of the way to grey 240
    EXPECT_GT(Luminance(colours.selectedBackground), Luminance(kDarkColour));
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
        EXPECT_EQ(colours.greyedText, base == kDarkColour ? 0x00A0928Bu : 0x00587F83u);
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
    CreateDirectoryW(Wide(DataPath()), nullptr);
    CreateDirectoryW(Wide(DataPath(u"notes")), nullptr);
    WriteRawFile(DataPath(u"categories.txt"), kTwoCategoriesFile);
    const auto store = [](std::uint64_t id, const std::string& lines) {
        WriteRawFile(NoteFilePath(id), "X=100\r\nY=100\r\nW=240\r\nH=200\r\n" + lines + "---\r\ntexte");
    };
    store(1, "COLOR=#123456\r\nCAT=9\r\nSUBCAT=3\r\n");   // category gone
    store(2, "COLOR=#FFFFFF\r\nCAT=1\r\nSUBCAT=4\r\n");   // colour differs from Travail's
    store(3, "COLOR=#FFCC66\r\nCAT=1\r\nSUBCAT=77\r\n");  // subcategory gone
    store(4, "COLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\n");   // already in line
    store(5, "COLOR=#ABCDEF\r\nCAT=0\r\nSUBCAT=0\r\n");   // uncategorised

    LoadCategories();
    ASSERT_TRUE(LoadAllNotes(GetModuleHandleW(nullptr)));
    RefreshNotesAfterCategoryChange();  // what start-up runs after the load
    ASSERT_EQ(WindowsOfClass(kNoteWindowClass).size(), 5u);

    EXPECT_EQ(NoteFile(1), SavedFile({.id = 1, .colour = 0x00563412}));
    EXPECT_EQ(NoteFile(2), SavedFile({.id = 2, .colour = kWorkColour, .categoryId = kWork, .subcategoryId = kLater}));
    EXPECT_EQ(NoteFile(3), SavedFile({.id = 3, .colour = kWorkColour, .categoryId = kWork}));
    // Notes already in line are not rewritten.
    EXPECT_EQ(NoteFile(4), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#A0E0A0\r\nCAT=2\r\nSUBCAT=0\r\n---\r\ntexte");
    EXPECT_EQ(NoteFile(5), "X=100\r\nY=100\r\nW=240\r\nH=200\r\nCOLOR=#ABCDEF\r\nCAT=0\r\nSUBCAT=0\r\n---\r\ntexte");
}

// ---------------------------------------------------------------------------
// The menu as it shows on the screen, and pictures of it for the docs when
// QB_SCREENSHOTS names a folder.

namespace {

// A rectangle of the screen as it is shown now.
class ScreenPicture {
public:
    explicit ScreenPicture(const RECT& area) : area_(area) {
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        WindowDc screen(nullptr);
        UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
        info_.bmiHeader.biSize = sizeof(info_.bmiHeader);
        info_.bmiHeader.biWidth = width;
        info_.bmiHeader.biHeight = height;  // bottom-up, as a BMP file holds it
        info_.bmiHeader.biPlanes = 1;
        info_.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(screen.Get(), &info_, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap_ || !bits) return;
        {
            SelectScope selected(memory.Get(), bitmap_.Get());
            BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
        }
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + width * height);
    }

    // A screen point's colour, CLR_INVALID outside.
    COLORREF At(int x, int y) const {
        const int width = area_.right - area_.left;
        const int height = area_.bottom - area_.top;
        const int column = x - area_.left;
        const int row = height - 1 - (y - area_.top);
        if (pixels_.empty() || column < 0 || column >= width || row < 0 || row >= height) return CLR_INVALID;
        const DWORD pixel = pixels_[static_cast<size_t>(row * width + column)];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    int Count(const RECT& where, const std::function<bool(COLORREF)>& matches) const {
        int count = 0;
        for (int y = where.top; y < where.bottom; ++y) {
            for (int x = where.left; x < where.right; ++x) count += matches(At(x, y)) ? 1 : 0;
        }
        return count;
    }

    // Changes whenever a pixel does.
    std::uint64_t Fingerprint() const {
        std::uint64_t hash = 1469598103934665603ull;
        for (DWORD pixel : pixels_) hash = (hash ^ pixel) * 1099511628211ull;
        return hash;
    }

    void SaveBmp(const std::u16string& path) const {
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        const DWORD imageBytes = static_cast<DWORD>(pixels_.size() * sizeof(DWORD));
        header.bfSize = header.bfOffBits + imageBytes;
        std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
        bytes.append(reinterpret_cast<const char*>(&info_.bmiHeader), sizeof(BITMAPINFOHEADER));
        bytes.append(reinterpret_cast<const char*>(pixels_.data()), imageBytes);
        WriteRawFile(path, bytes);
    }

private:
    RECT area_;
    BITMAPINFO info_{};
    UniqueBitmap bitmap_;
    std::vector<DWORD> pixels_;
};

std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
}

RECT ClientAreaOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// The note and every open menu level, with a margin.
RECT SceneAround(HWND note) {
    RECT scene{};
    GetWindowRect(note, &scene);
    for (HWND menu : VisibleMenus()) {
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

// Waits, inside the menu's own loop, until every open level is painted with
// its chosen item and the whole scene stays the same from one tick to the
// next (the screen can show a window a moment before all of it is drawn).
void WhenMenusPainted(size_t depth, HWND note, ColourRef base, std::function<void()> look) {
    auto previous = std::make_shared<std::uint64_t>(0);
    Then([depth, note, base, look, previous] {
        const std::vector<HWND> menus = VisibleMenus();
        if (menus.size() != depth) return false;
        for (HWND menu : menus) {
            const MenuPixels pixels = ReadMenuPixels(menu, base);
            if (pixels.background < pixels.total / 3 || pixels.selected == 0) return false;
        }
        const std::uint64_t now = ScreenPicture(SceneAround(note)).Fingerprint();
        const bool settled = now == *previous;
        *previous = now;
        if (!settled) return false;
        look();
        return true;
    });
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
        WhenMenusOpen(1, std::move(keys));
        WhenMenusPainted(depth, note, colour, [&] {
            for (HWND menu : VisibleMenus()) levels.push_back(ReadMenuPixels(menu, colour));
            const std::u16string folder = ScreenshotFolder();
            if (!folder.empty()) ScreenPicture(SceneAround(note)).SaveBmp(folder + u"\\" + pictureName + u".bmp");
            std::vector<WORD> escapes(depth, VK_ESCAPE);
            PressKeys(escapes);
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

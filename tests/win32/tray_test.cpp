// The tray window, its icon and menu, and the "start with Windows" value,
// on real windows and the real registry of the Wine prefix.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/start_with_windows.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "app/tray_window.h"
#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"
#include "resource_ids.h"
#include "support/program_names.h"
#include "support/run_value.h"
#include "support/shell_data_folder_test.h"
#include "support/window_checks.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FromWide(path);
}

struct MenuItem {
    UINT id = 0;  // 0: a separator
    std::u16string text;
    bool checked = false;
    bool operator==(const MenuItem&) const = default;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({separator ? 0 : info.wID, FromWide(text), (info.fState & MFS_CHECKED) != 0});
    }
    return items;
}

bool StartWithWindowsChecked() {
    const UniqueMenu menu = BuildTrayMenu();
    for (const MenuItem& item : ItemsOf(menu.Get())) {
        if (item.id == kStartWithWindowsCommand) return item.checked;
    }
    ADD_FAILURE() << "no start-with-Windows item";
    return false;
}

HWND MakeTrayWindow() {
    RegisterTaskbarCreatedMessage();
    return CreateTrayWindow(ModuleInstance());
}

}  // namespace

using TrayMenu = DataFolderTest;
using StartWithWindows = DataFolderTest;
using TrayWindowEvents = DataFolderTest;

TEST_F(TrayMenu, ItemsComeInOrderWithThreeSeparatorsInTheActiveLanguage) {
    const std::vector<MenuItem> french = {
        {kNewNoteCommand, u"Nouvelle note"}, {kFindCommand, u"Rechercher\u2026"},
        {kDockAllCommand, u"Ancrer toutes les notes"}, {kUndockAllCommand, u"Désancrer toutes les notes"}, {},
        {kSettingsCommand, u"Paramètres\u2026"}, {kRestoreCommand, u"Restaurer\u2026"}, {},
        {kStartWithWindowsCommand, u"Démarrer avec Windows"}, {}, {kQuitCommand, u"Quitter"},
    };
    const std::vector<MenuItem> english = {
        {kNewNoteCommand, u"New note"}, {kFindCommand, u"Find\u2026"}, {kDockAllCommand, u"Dock all notes"},
        {kUndockAllCommand, u"Undock all notes"}, {}, {kSettingsCommand, u"Settings\u2026"},
        {kRestoreCommand, u"Restore\u2026"}, {},
        {kStartWithWindowsCommand, u"Start with Windows"}, {}, {kQuitCommand, u"Quit"},
    };
    const RunValueGuard guard;
    DeleteRunValue();
    EXPECT_EQ(ItemsOf(BuildTrayMenu().Get()), french);
    FillBuiltInEnglish(ActiveTranslationTable());
    EXPECT_EQ(ItemsOf(BuildTrayMenu().Get()), english);
}

// The menu's check follows the registry; chosen over an unquoted value,
// the command writes the quoted path, and chosen again deletes it.
TEST_F(TrayMenu, StartWithWindowsCheckFollowsTheRegistryAndTheCommandTogglesIt) {
    const RunValueGuard guard;
    DeleteRunValue();
    EXPECT_FALSE(StartWithWindowsChecked());
    SetStartWithWindows(true);
    EXPECT_TRUE(StartWithWindowsChecked());
    WriteRunString(OwnPath());  // unquoted: another command line
    EXPECT_FALSE(StartWithWindowsChecked());

    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(IsStartWithWindowsEnabled());
    EXPECT_TRUE(StartWithWindowsChecked());
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_FALSE(ReadRunValue().exists);
    EXPECT_FALSE(StartWithWindowsChecked());
    DestroyWindow(tray);
}

// Only this program's own path in quotation marks, as a plain string,
// counts; the value is read safely whatever its length and terminator.
TEST_F(StartWithWindows, OnlyTheQuotedOwnPathAsAStringCountsIgnoringCase) {
    const RunValueGuard guard;
    const std::u16string quoted = Quoted(OwnPath());
    std::u16string upper = quoted, lower = quoted, padded = quoted;
    CharUpperBuffW(WideBuffer(upper), static_cast<DWORD>(upper.size()));
    CharLowerBuffW(WideBuffer(lower), static_cast<DWORD>(lower.size()));
    padded.resize(520, u' ');
    enum class Ending { Nul, None, OddByte };  // what follows the text's characters
    using enum Ending;
    struct Case {
        const char* what;
        std::u16string value;
        DWORD type;
        Ending ending;
        bool enabled;
    };
    const Case cases[] = {
        {"exact", quoted, REG_SZ, Nul, true},
        {"upper case", upper, REG_SZ, Nul, true},
        {"lower case", lower, REG_SZ, Nul, true},
        {"written by a tool that does not count the NUL", quoted, REG_SZ, None, true},
        {"an odd number of bytes", quoted, REG_SZ, OddByte, true},
        {"no quotes", OwnPath(), REG_SZ, Nul, false},
        {"with an argument", quoted + u" /tray", REG_SZ, Nul, false},
        {"trailing space", quoted + u" ", REG_SZ, Nul, false},
        {"another copy", u"\"C:\\Other\\Quillboard.exe\"", REG_SZ, Nul, false},
        {"expandable string", quoted, REG_EXPAND_SZ, Nul, false},
        {"empty", u"", REG_SZ, Nul, false},
        {"filling the 1040-byte buffer with no NUL anywhere", std::u16string(520, u'A'), REG_SZ, None, false},
        {"the quoted path padded with spaces to fill the buffer whole", padded, REG_SZ, None, false},
        {"larger than the buffer", std::u16string(600, u'B'), REG_SZ, Nul, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DWORD extra = c.ending == Nul ? sizeof(char16_t) : c.ending == OddByte ? 1 : 0;
        WriteRunValue(c.type, c.value.c_str(), static_cast<DWORD>(c.value.size() * sizeof(char16_t)) + extra);
        EXPECT_EQ(IsStartWithWindowsEnabled(), c.enabled);
    }
    DeleteRunValue();
    EXPECT_FALSE(IsStartWithWindowsEnabled());
}

TEST_F(StartWithWindows, EnablingWritesTheQuotedPathAsAStringWithItsNulAndDisablingDeletesIt) {
    const RunValueGuard guard;
    DeleteRunValue();
    SetStartWithWindows(true);
    const RunValue value = ReadRunValue();
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    const std::u16string quoted = Quoted(OwnPath());
    ASSERT_EQ(value.bytes.size(), (quoted.size() + 1) * sizeof(char16_t));
    EXPECT_EQ(value.bytes, std::string(reinterpret_cast<const char*>(quoted.c_str()), value.bytes.size()));
    EXPECT_TRUE(IsStartWithWindowsEnabled());

    SetStartWithWindows(false);
    EXPECT_FALSE(ReadRunValue().exists);
    SetStartWithWindows(false);  // harmless when the value is missing
    EXPECT_FALSE(ReadRunValue().exists);
    EXPECT_FALSE(IsStartWithWindowsEnabled());
}

TEST_F(TrayWindowEvents, OnlyADoubleClickOnTheIconCreatesANote) {
    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);
    for (UINT event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN}) {
        SCOPED_TRACE(event);
        EXPECT_EQ(SendMessageW(tray, kTrayIconMessage, kTrayIconId, event), 0);
        PumpPending();
        EXPECT_TRUE(WindowsOfClass(kNoteClass).empty());
        EXPECT_TRUE(VisibleWindows(GetCurrentProcessId(), kMenuClass).empty());
    }

    SendMessageW(tray, kTrayIconMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 1u);
    SendMessageW(tray, kTrayIconMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
}

TEST_F(TrayWindowEvents, IconComesBackOnTaskbarCreatedAndGoesWithTheWindow) {
    ASSERT_NE(LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_QUILLBOARD)), nullptr);
    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);
    AddTrayIcon(tray);
    ASSERT_TRUE(TrayIconExists(tray));

    // As if the taskbar had been re-created without our icon.
    NOTIFYICONDATAW lost{};
    lost.cbSize = sizeof(lost);
    lost.hWnd = tray;
    lost.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &lost);
    ASSERT_FALSE(TrayIconExists(tray));

    SendMessageW(tray, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconExists(tray));

    DestroyWindow(tray);
    EXPECT_FALSE(TrayIconExists(tray));
}

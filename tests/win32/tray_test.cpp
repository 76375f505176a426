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
#include "i18n/built_in_english.h"
#include "i18n/translation.h"
#include "resource_ids.h"
#include "support/program_names.h"
#include "support/run_value.h"
#include "support/shell_data_folder_test.h"
#include "support/window_checks.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

// The built-in English table for the life of the scope; French afterwards.
class EnglishActive {
public:
    EnglishActive() { FillBuiltInEnglish(ActiveTranslationTable()); }
    ~EnglishActive() { ActiveTranslationTable().clear(); }
    EnglishActive(const EnglishActive&) = delete;
    EnglishActive& operator=(const EnglishActive&) = delete;
};

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FromWide(path);
}

std::u16string Uppercase(std::u16string text) {
    CharUpperBuffW(WideBuffer(text), static_cast<DWORD>(text.size()));
    return text;
}

std::u16string Lowercase(std::u16string text) {
    CharLowerBuffW(WideBuffer(text), static_cast<DWORD>(text.size()));
    return text;
}

struct MenuItem {
    UINT id = 0;
    bool separator = false;
    bool checked = false;
    std::u16string text;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        items.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_CHECKED) != 0,
                         FromWide(text)});
    }
    return items;
}

struct ExpectedItem {
    UINT id;  // 0: separator
    const char16_t* text;
};

void ExpectItems(const std::vector<MenuItem>& items, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        if (expected[i].id == 0) {
            EXPECT_TRUE(items[i].separator);
            continue;
        }
        EXPECT_FALSE(items[i].separator);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].text, expected[i].text);
    }
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

TEST_F(TrayMenu, ItemsComeInOrderWithThreeSeparatorsInFrench) {
    ActiveTranslationTable().clear();
    const UniqueMenu menu = BuildTrayMenu();
    ASSERT_TRUE(menu);
    ExpectItems(ItemsOf(menu.Get()), {
                                         {kNewNoteCommand, u"Nouvelle note"},
                                         {kDockAllCommand, u"Ancrer toutes les notes"},
                                         {kUndockAllCommand, u"Désancrer toutes les notes"},
                                         {0, nullptr},
                                         {kSettingsCommand, u"Paramètres\u2026"},
                                         {0, nullptr},
                                         {kStartWithWindowsCommand, u"Démarrer avec Windows"},
                                         {0, nullptr},
                                         {kQuitCommand, u"Quitter"},
                                     });
}

TEST_F(TrayMenu, ItemsReadInEnglishWithTheEnglishTable) {
    const EnglishActive english;
    const UniqueMenu menu = BuildTrayMenu();
    ASSERT_TRUE(menu);
    ExpectItems(ItemsOf(menu.Get()), {
                                         {kNewNoteCommand, u"New note"},
                                         {kDockAllCommand, u"Dock all notes"},
                                         {kUndockAllCommand, u"Undock all notes"},
                                         {0, nullptr},
                                         {kSettingsCommand, u"Settings\u2026"},
                                         {0, nullptr},
                                         {kStartWithWindowsCommand, u"Start with Windows"},
                                         {0, nullptr},
                                         {kQuitCommand, u"Quit"},
                                     });
}

TEST_F(TrayMenu, StartWithWindowsCheckFollowsTheRegistry) {
    const RunValueGuard guard;
    DeleteRunValue();
    EXPECT_FALSE(StartWithWindowsChecked());

    SetStartWithWindows(true);
    EXPECT_TRUE(StartWithWindowsChecked());

    WriteRunString(OwnPath());  // unquoted: another command line
    EXPECT_FALSE(StartWithWindowsChecked());

    SetStartWithWindows(false);
    EXPECT_FALSE(StartWithWindowsChecked());
}

TEST_F(StartWithWindows, CommandLineIsTheOwnPathInQuotes) {
    EXPECT_EQ(StartupCommandLine(), Quoted(OwnPath()));
}

TEST_F(StartWithWindows, OnlyTheQuotedOwnPathAsAStringCountsIgnoringCase) {
    const RunValueGuard guard;
    const std::u16string quoted = Quoted(OwnPath());
    struct Case {
        const char* what;
        std::u16string value;
        DWORD type;
        bool enabled;
    };
    const Case cases[] = {
        {"exact", quoted, REG_SZ, true},
        {"upper case", Uppercase(quoted), REG_SZ, true},
        {"lower case", Lowercase(quoted), REG_SZ, true},
        {"no quotes", OwnPath(), REG_SZ, false},
        {"with an argument", quoted + u" /tray", REG_SZ, false},
        {"trailing space", quoted + u" ", REG_SZ, false},
        {"another copy", u"\"C:\\Other\\Quillboard.exe\"", REG_SZ, false},
        {"expandable string", quoted, REG_EXPAND_SZ, false},
        {"empty", u"", REG_SZ, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRunString(c.value, c.type);
        EXPECT_EQ(IsStartWithWindowsEnabled(), c.enabled);
    }
    DeleteRunValue();
    EXPECT_FALSE(IsStartWithWindowsEnabled());
}

TEST_F(StartWithWindows, ValuesWithoutTerminatorOrTooLargeAreReadSafely) {
    const RunValueGuard guard;
    const std::u16string quoted = Quoted(OwnPath());

    // Written by a tool that does not count the NUL: still this program.
    WriteRunValue(REG_SZ, quoted.c_str(), static_cast<DWORD>(quoted.size() * sizeof(char16_t)));
    EXPECT_TRUE(IsStartWithWindowsEnabled());

    // Exactly filling the 1040-byte buffer with no NUL anywhere.
    const std::u16string full(520, u'A');
    WriteRunValue(REG_SZ, full.c_str(), static_cast<DWORD>(full.size() * sizeof(char16_t)));
    EXPECT_FALSE(IsStartWithWindowsEnabled());

    // The quoted path padded with spaces to fill the buffer whole.
    std::u16string padded = quoted;
    padded.resize(520, u' ');
    WriteRunValue(REG_SZ, padded.c_str(), static_cast<DWORD>(padded.size() * sizeof(char16_t)));
    EXPECT_FALSE(IsStartWithWindowsEnabled());

    // Larger than the buffer.
    const std::u16string larger(600, u'B');
    WriteRunString(larger);
    EXPECT_FALSE(IsStartWithWindowsEnabled());

    // An odd number of bytes.
    WriteRunValue(REG_SZ, quoted.c_str(), static_cast<DWORD>(quoted.size() * sizeof(char16_t) + 1));
    EXPECT_TRUE(IsStartWithWindowsEnabled());
}

TEST_F(StartWithWindows, EnablingWritesTheQuotedPathAsAStringWithItsNul) {
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
}

TEST_F(StartWithWindows, DisablingDeletesTheValueAndIsHarmlessWhenMissing) {
    const RunValueGuard guard;
    SetStartWithWindows(true);
    ASSERT_TRUE(ReadRunValue().exists);

    SetStartWithWindows(false);
    EXPECT_FALSE(ReadRunValue().exists);
    SetStartWithWindows(false);
    EXPECT_FALSE(ReadRunValue().exists);
    EXPECT_FALSE(IsStartWithWindowsEnabled());
}

TEST_F(StartWithWindows, ChoosingItOverAnUnquotedValueWritesTheQuotedPath) {
    const RunValueGuard guard;
    WriteRunString(OwnPath());
    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);

    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_TRUE(IsStartWithWindowsEnabled());
    EXPECT_TRUE(StartWithWindowsChecked());

    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_FALSE(ReadRunValue().exists);
    DestroyWindow(tray);
}

TEST_F(TrayWindowEvents, DoubleClickOnTheIconCreatesANote) {
    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(WindowsOfClass(kNoteClass).empty());

    SendMessageW(tray, kTrayIconMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 1u);

    SendMessageW(tray, kTrayIconMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(WindowsOfClass(kNoteClass).size(), 2u);
}

TEST_F(TrayWindowEvents, SingleClicksAndMovesOnTheIconDoNothing) {
    HWND tray = MakeTrayWindow();
    ASSERT_NE(tray, nullptr);

    for (UINT event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN}) {
        SCOPED_TRACE(event);
        EXPECT_EQ(SendMessageW(tray, kTrayIconMessage, kTrayIconId, event), 0);
        PumpPending();
        EXPECT_TRUE(WindowsOfClass(kNoteClass).empty());
        EXPECT_TRUE(VisibleWindows(GetCurrentProcessId(), kMenuClass).empty());
    }
    EXPECT_TRUE(IsWindow(tray));
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

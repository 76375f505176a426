// The installer and the uninstaller, run for real in a Wine prefix of their
// own: where the program goes, what the system learns about it, a running
// copy asked to quit with its notes saved, and what an uninstall leaves.
// The installer's Windows path comes in the QB_INSTALLER environment
// variable; QB_INSTALLER_SCREENSHOTS, when set, is a folder for a BMP of each
// page of the interactive install.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <string>
#include <vector>

#include "support/data_folder.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/run_value.h"
#include "support/screen_picture.h"
#include "support/windows_test_support.h"
#include "version.h"
#include "win/wide.h"

namespace {

using std::chrono::milliseconds;

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillboard";
const std::u16string kVersion = u"" QB_VERSION_STRING;
constexpr std::uint64_t kNoteId = 0xA1;

// The wizard: each page is a dialog inside it; Next is button 1.
constexpr int kWizardNextId = 1;
constexpr wchar_t kProgressClass[] = L"msctls_progress32";
// Welcome, components, folder, progress and finish; the progress page can be
// gone before it is seen.
constexpr int kMostWizardPages = 5;
constexpr int kLeastWizardPages = 4;

constexpr milliseconds kInstallTimeout(30000);
constexpr milliseconds kPageTimeout(15000);

std::u16string KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return FromWide(path);
}

// Where a per-user install goes, worked out here independently of the
// installer: %LOCALAPPDATA%\Programs\Quillboard, or a file in it.
std::u16string Installed(const std::u16string& file = u"") {
    const std::u16string folder = KnownFolder(CSIDL_LOCAL_APPDATA) + u"\\Programs\\Quillboard";
    return file.empty() ? folder : folder + u"\\" + file;
}
std::u16string StartMenuShortcut() {
    return KnownFolder(CSIDL_PROGRAMS) + u"\\Quillboard.lnk";
}

std::u16string EnvironmentText(const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, MAX_PATH);
    return length < MAX_PATH ? FromWide(text, length) : std::u16string();
}

const std::u16string kInstaller = EnvironmentText(L"QB_INSTALLER");

// A string value of the uninstall entry, or empty when it is missing.
std::u16string UninstallEntry(const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return {};
    }
    return FromWide(text);
}

bool UninstallKeyExists() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Starts a program; its process, or nothing.
std::optional<PROCESS_INFORMATION> Start(std::u16string commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, WideBuffer(commandLine), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    return info;
}

// Runs a program silently to its end; its exit code, or -1 when it did not
// start or end in time.
long RunSilently(const std::u16string& program) {
    const std::optional<PROCESS_INFORMATION> started = Start(Quoted(program) + u" /S");
    if (!started) return -1;
    const UniqueHandle process(started->hProcess);
    DWORD exitCode = 0;
    const bool ended = PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; },
                                 kInstallTimeout);
    if (ended) GetExitCodeProcess(process.Get(), &exitCode);
    return ended ? static_cast<long>(exitCode) : -1;
}

// Everything an install adds is gone (the uninstaller runs on from a copy of
// itself in the temporary folder, so this is waited for).
bool InstallGone() {
    return !FileExists(Installed()) && !FileExists(StartMenuShortcut()) && !UninstallKeyExists();
}

void UninstallSilently() {
    ASSERT_EQ(RunSilently(Installed(u"Uninstall.exe")), 0);
    EXPECT_TRUE(PumpUntil(InstallGone, kInstallTimeout));
}

// The target of a shell link, read through the shell's own interface.
std::u16string ShortcutTarget(const std::u16string& shortcut) {
    std::u16string target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(Wide(shortcut), STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = FromWide(path);
        }
        file->Release();
    }
    link->Release();
    return target;
}

// The "ProductVersion" string of a file's version resource.
std::u16string FileProductVersion(const std::u16string& path) {
    std::vector<BYTE> block(GetFileVersionInfoSizeW(Wide(path), nullptr));
    wchar_t* text = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoW(Wide(path), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\StringFileInfo\\040C04B0\\ProductVersion", reinterpret_cast<void**>(&text),
                        &length)) {
        return {};
    }
    return FromWide(text);
}

std::string NoteFile(const std::string& body) {
    return NoteFileText({.x = 300, .y = 200, .width = 260, .height = 210, .body = body});
}

// The wizard's current page dialog and its Next button.
struct WizardPage {
    HWND wizard = nullptr;
    HWND page = nullptr;
    HWND next = nullptr;
};

WizardPage CurrentPage(DWORD installerId) {
    for (HWND wizard : TopLevelWindows(installerId, kDialogClass)) {
        HWND next = GetDlgItem(wizard, kWizardNextId);
        if (!next || !IsWindowVisible(wizard)) continue;
        for (HWND page = FindWindowExW(wizard, nullptr, kDialogClass, nullptr); page;
             page = FindWindowExW(wizard, page, kDialogClass, nullptr)) {
            if (IsWindowVisible(page)) return {wizard, page, next};
        }
    }
    return {};
}

// Each test starts with nothing installed, no copy running and no Run
// value, and leaves it so.
class Installer : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    void SetUp() override {
        ASSERT_FALSE(kInstaller.empty()) << "QB_INSTALLER is not set";
        Clean();
    }
    void TearDown() override { Clean(); }

    static void Clean() {
        for (HWND tray : TopLevelWindows(0, kTrayClass)) SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
        PumpUntil([] { return TopLevelWindows(0, kTrayClass).empty(); }, kInstallTimeout);
        if (FileExists(Installed(u"Uninstall.exe"))) {
            RunSilently(Installed(u"Uninstall.exe"));
            PumpUntil(InstallGone, kInstallTimeout);
        }
        DeleteRunValue();
    }

    // Starts the installed program on a data folder holding one note; its
    // tray window, or null.
    HWND StartInstalled() {
        data_.WriteNote(kNoteId, NoteFile("before"));
        program_.emplace(data_.AppData(), Wide(Installed(u"Quillboard.exe")));
        return program_->WaitForWindow(kTrayClass);
    }

    // Puts text into the note's edit box as typing would, without saving it.
    void TypeIntoNote(const char16_t* text) {
        HWND edit = GetDlgItem(program_->WaitForWindow(kNoteClass), kNoteEdit);
        ASSERT_NE(edit, nullptr);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text)));
    }

    void ExpectEndedCleanly() {
        DWORD exitCode = 1;
        ASSERT_TRUE(program_->WaitForExit(&exitCode, kInstallTimeout));
        EXPECT_EQ(exitCode, 0u);
    }

    DataFolder data_;
    std::optional<QuillboardProcess> program_;
};

}  // namespace

TEST_F(Installer, SilentInstallPutsEverythingInPlaceAndSilentUninstallTakesItAway) {
    ASSERT_EQ(RunSilently(kInstaller), 0);
    const std::u16string program = Installed(u"Quillboard.exe");
    ASSERT_TRUE(FileExists(program));
    EXPECT_EQ(FileProductVersion(program), kVersion);
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), program);
    const struct {
        const wchar_t* name;
        std::u16string expected;
    } entries[] = {
        {L"DisplayName", u"Quillboard"},
        {L"DisplayVersion", kVersion},
        {L"Publisher", u"Quillboard Project"},
        {L"DisplayIcon", program},
        {L"InstallLocation", Installed()},
        {L"UninstallString", Quoted(Installed(u"Uninstall.exe"))},
    };
    for (const auto& entry : entries) EXPECT_EQ(UninstallEntry(entry.name), entry.expected) << entry.name;
    EXPECT_EQ(RunValueText(), Quoted(program));

    // The installed program's tray command sees "Start with Windows" on, so
    // the first use turns it off; the second writes exactly what the
    // installer wrote.
    HWND tray = StartInstalled();
    ASSERT_NE(tray, nullptr);
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_EQ(RunValueText(), u"");
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_EQ(RunValueText(), Quoted(program));
    SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    ExpectEndedCleanly();

    UninstallSilently();
    EXPECT_EQ(RunValueText(), u"");
}

// A silent upgrade or uninstall asks a running copy to quit, which saves its
// notes. The upgrade leaves the program stopped: it starts again at the next
// sign-in, or from the Start menu.
TEST_F(Installer, UpgradeAndUninstallOverARunningCopySaveItsNotesAndLeaveTheRunValueAlone) {
    ASSERT_EQ(RunSilently(kInstaller), 0);
    HWND tray = StartInstalled();
    ASSERT_NE(tray, nullptr);
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);  // the user turns it off
    ASSERT_EQ(RunValueText(), u"");
    TypeIntoNote(u"typed, not yet saved");

    ASSERT_EQ(RunSilently(kInstaller), 0);

    ExpectEndedCleanly();
    EXPECT_EQ(data_.ReadNote(kNoteId), NoteFile("typed, not yet saved"));
    EXPECT_TRUE(FileExists(Installed(u"Quillboard.exe")));
    EXPECT_TRUE(TopLevelWindows(0, kTrayClass).empty());
    EXPECT_EQ(RunValueText(), u"");

    // The uninstaller keeps a Run value that starts another copy.
    const std::u16string otherCopy = Quoted(u"C:\\Tools\\Quillboard\\Quillboard.exe");
    WriteRunString(otherCopy);
    ASSERT_NE(StartInstalled(), nullptr);
    TypeIntoNote(u"kept after uninstall");

    UninstallSilently();

    ExpectEndedCleanly();
    EXPECT_EQ(data_.ReadNote(kNoteId), NoteFile("kept after uninstall"));
    EXPECT_EQ(RunValueText(), otherCopy);
}

// The wizard page by page (Next on each) in the user's language (French for
// any French, English otherwise), a screenshot of each when asked, and the
// program started from its installed place at the end.
TEST_F(Installer, InteractiveInstallWalksItsPagesAndStartsTheProgram) {
    const std::optional<PROCESS_INFORMATION> started = Start(Quoted(kInstaller));
    ASSERT_TRUE(started);
    const UniqueHandle installer(started->hProcess);
    const std::u16string screenshots = EnvironmentText(L"QB_INSTALLER_SCREENSHOTS");
    const std::u16string caption =
        PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? u"Installation de Quillboard" : u"Quillboard Setup";

    const auto installerEnded = [&] { return WaitForSingleObject(installer.Get(), 0) == WAIT_OBJECT_0; };
    int pagesSeen = 0;
    HWND previousPage = nullptr;
    while (pagesSeen < kMostWizardPages) {
        WizardPage current;
        PumpUntil(
            [&] {
                current = CurrentPage(started->dwProcessId);
                return installerEnded() ||
                       (current.page && current.page != previousPage && IsWindowEnabled(current.next));
            },
            kPageTimeout);
        if (!current.page || current.page == previousPage || installerEnded()) break;
        previousPage = current.page;
        ++pagesSeen;
        std::u16string shown = WindowTextOf(current.wizard);
        shown.erase(shown.find_last_not_of(u' ') + 1);  // some pages add a blank subtitle
        EXPECT_EQ(shown, caption);
        if (!screenshots.empty()) {
            RedrawWindow(current.wizard, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            WaitForInputIdle(installer.Get(), static_cast<DWORD>(kPageTimeout.count()));
            ScreenPicture().SaveBmp(screenshots + u"\\page" + FromWide(std::to_wstring(pagesSeen).c_str()) + u".bmp");
        }
        // The progress page moves on by itself once the files are in place.
        if (FindWindowExW(current.page, nullptr, kProgressClass, nullptr)) continue;
        PostMessageW(current.wizard, WM_COMMAND, MAKEWPARAM(kWizardNextId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(current.next));
    }
    EXPECT_GE(pagesSeen, kLeastWizardPages);
    EXPECT_TRUE(PumpUntil(installerEnded, kPageTimeout));

    HWND tray = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (tray = FindWindowW(kTrayClass, nullptr)) != nullptr; }, kInstallTimeout));
    DWORD processId = 0;
    GetWindowThreadProcessId(tray, &processId);
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    ASSERT_TRUE(process);
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    QueryFullProcessImageNameW(process.Get(), 0, image, &length);
    EXPECT_EQ(CompareStringOrdinal(image, -1, Wide(Installed(u"Quillboard.exe")), -1, TRUE), CSTR_EQUAL) << image;
    EXPECT_EQ(RunValueText(), Quoted(Installed(u"Quillboard.exe")));

    SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    EXPECT_EQ(WaitForSingleObject(process.Get(), static_cast<DWORD>(kInstallTimeout.count())), WAIT_OBJECT_0);
}

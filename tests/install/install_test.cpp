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

#include <string>
#include <vector>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"
#include "support/screen_picture.h"
#include "support/windows_test_support.h"
#include "version.h"
#include "win/wide.h"

namespace {

using std::chrono::milliseconds;


constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillboard";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"Quillboard";

// The wizard: each page is a dialog inside it; Next is button 1.
constexpr int kWizardNextId = 1;
constexpr wchar_t kProgressClass[] = L"msctls_progress32";
// Welcome, components, folder, progress and finish; the progress page can be
// gone before it is seen.
constexpr int kMostWizardPages = 5;
constexpr int kLeastWizardPages = 4;

constexpr milliseconds kInstallTimeout(30000);
constexpr milliseconds kPageTimeout(15000);

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// Where a per-user install goes, worked out here independently of the
// installer: %LOCALAPPDATA%\Programs\Quillboard.
std::wstring InstallFolder() {
    return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Quillboard";
}
std::wstring InstalledProgram() {
    return InstallFolder() + L"\\Quillboard.exe";
}
std::wstring InstalledUninstaller() {
    return InstallFolder() + L"\\Uninstall.exe";
}
std::wstring StartMenuShortcut() {
    return KnownFolder(CSIDL_PROGRAMS) + L"\\Quillboard.lnk";
}

const std::wstring kVersion = L"" QB_VERSION_STRING;

std::wstring EnvironmentText(const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, MAX_PATH);
    return length < MAX_PATH ? std::wstring(text, length) : std::wstring();
}

std::wstring InstallerPath() {
    return EnvironmentText(L"QB_INSTALLER");
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A string value, or empty when it is missing.
std::wstring RegistryText(const wchar_t* key, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return {};
    return text;
}

bool RegistryKeyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring RunValue() {
    return RegistryText(kRunKey, kRunValueName);
}
void SetRunValue(const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
void DeleteRunValue() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
}

// Runs a command line to its end; its exit code, or -1 when it did not start
// or end in time.
long RunToEnd(std::wstring commandLine, milliseconds timeout = kInstallTimeout) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return -1;
    }
    CloseHandle(info.hThread);
    DWORD exitCode = 0;
    const bool ended = PumpUntil([&] { return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0; }, timeout);
    if (ended) GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    return ended ? static_cast<long>(exitCode) : -1;
}

long InstallSilently() {
    return RunToEnd(Quoted(InstallerPath()) + L" /S");
}

// Everything an install adds is gone (the uninstaller runs on from a copy of
// itself in the temporary folder, so this is waited for).
bool InstallGone() {
    return !Exists(InstalledProgram()) && !Exists(InstalledUninstaller()) && !Exists(InstallFolder()) &&
           !Exists(StartMenuShortcut()) && !RegistryKeyExists(kUninstallKey);
}

void UninstallSilently() {
    ASSERT_EQ(RunToEnd(Quoted(InstalledUninstaller()) + L" /S"), 0);
    EXPECT_TRUE(PumpUntil(InstallGone, kInstallTimeout));
}

// The target of a shell link, read through the shell's own interface.
std::wstring ShortcutTarget(const std::wstring& shortcut) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

// The "ProductVersion" string of a file's version resource.
std::wstring FileProductVersion(const std::wstring& path) {
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
        return {};
    }
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040C04B0\\ProductVersion", reinterpret_cast<void**>(&text),
                        &length)) {
        return {};
    }
    return text;
}

std::string NoteFile(const std::string& body) {
    return "X=300\r\nY=200\r\nW=260\r\nH=210\r\nCOLOR=#FFF6A0\r\nCAT=0\r\nSUBCAT=0\r\nPIN=0\r\nDOCK=0\r\n"
           "LASTDOCK=0\r\nTYPE=0\r\n---\r\n" +
           body;
}

// Puts text into the note's edit box as typing would, without saving it.
void TypeIntoNote(const QuillboardProcess& program, const wchar_t* text) {
    HWND note = program.WaitForWindow(kNoteClass);
    ASSERT_NE(note, nullptr);
    HWND edit = GetDlgItem(note, kNoteEdit);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ExpectEndedCleanly(QuillboardProcess& program) {
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(&exitCode, kInstallTimeout));
    EXPECT_EQ(exitCode, 0u);
}

// Each test starts with nothing installed, no copy running and no Run
// value, and leaves it so.
class Installer : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    void SetUp() override {
        ASSERT_FALSE(InstallerPath().empty()) << "QB_INSTALLER is not set";
        Clean();
    }
    void TearDown() override { Clean(); }

    static void Clean() {
        for (HWND tray : TopLevelWindows(0, kTrayClass)) SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
        PumpUntil([] { return TopLevelWindows(0, kTrayClass).empty(); }, kInstallTimeout);
        if (Exists(InstalledUninstaller())) {
            RunToEnd(Quoted(InstalledUninstaller()) + L" /S");
            PumpUntil(InstallGone, kInstallTimeout);
        }
        DeleteRunValue();
    }
};

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

// The wizard speaks the user's interface language: French for any French,
// English otherwise.
std::wstring ExpectedWizardCaption() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? L"Installation de Quillboard"
                                                                      : L"Quillboard Setup";
}

}  // namespace

TEST_F(Installer, FileNameCarriesTheBuildVersion) {
    const std::wstring name = InstallerPath().substr(InstallerPath().find_last_of(L"\\/") + 1);
    EXPECT_EQ(name, L"Quillboard-Setup-" + kVersion + L".exe");
}

TEST_F(Installer, SilentInstallPutsTheProgramItsShortcutItsEntryAndStartWithWindowsInPlace) {
    ASSERT_EQ(InstallSilently(), 0);

    ASSERT_TRUE(Exists(InstalledProgram()));
    EXPECT_EQ(FileProductVersion(InstalledProgram()), kVersion);
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), InstalledProgram());

    const struct {
        const wchar_t* name;
        std::wstring expected;
    } entries[] = {
        {L"DisplayName", L"Quillboard"},
        {L"DisplayVersion", kVersion},
        {L"Publisher", L"Quillboard Project"},
        {L"DisplayIcon", InstalledProgram()},
        {L"InstallLocation", InstallFolder()},
        {L"UninstallString", Quoted(InstalledUninstaller())},
    };
    for (const auto& entry : entries) {
        EXPECT_EQ(RegistryText(kUninstallKey, entry.name), entry.expected) << entry.name;
    }
    EXPECT_EQ(RunValue(), Quoted(InstalledProgram()));
}

TEST_F(Installer, InstalledProgramRunsAndTakesTheRunValueForItsOwn) {
    ASSERT_EQ(InstallSilently(), 0);
    const std::wstring written = RunValue();
    DataFolder data;
    QuillboardProcess program(data.AppData(), InstalledProgram());
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);

    // Its tray command sees "Start with Windows" on, so the first use turns
    // it off; the second writes exactly what the installer wrote.
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_EQ(RunValue(), L"");
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);
    EXPECT_EQ(RunValue(), written);

    SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    ExpectEndedCleanly(program);
}

// A silent upgrade leaves the program stopped: it starts again at the next
// sign-in, or from the Start menu.
TEST_F(Installer, InstallOverARunningCopySavesItsNotesAndKeepsStartWithWindowsOff) {
    ASSERT_EQ(InstallSilently(), 0);
    DataFolder data;
    data.WriteNote(0xA1, NoteFile("before"));
    QuillboardProcess program(data.AppData(), InstalledProgram());
    HWND tray = program.WaitForWindow(kTrayClass);
    ASSERT_NE(tray, nullptr);
    SendMessageW(tray, WM_COMMAND, kStartWithWindowsCommand, 0);  // the user turns it off
    ASSERT_EQ(RunValue(), L"");
    TypeIntoNote(program, L"typed, not yet saved");

    ASSERT_EQ(InstallSilently(), 0);

    ExpectEndedCleanly(program);
    EXPECT_EQ(data.ReadNote(0xA1), NoteFile("typed, not yet saved"));
    EXPECT_TRUE(Exists(InstalledProgram()));
    EXPECT_TRUE(TopLevelWindows(0, kTrayClass).empty());
    EXPECT_EQ(RunValue(), L"");
}

TEST_F(Installer, SilentUninstallSavesTheRunningCopysNotesRemovesTheRestAndKeepsTheNotes) {
    ASSERT_EQ(InstallSilently(), 0);
    DataFolder data;
    data.WriteNote(0xB2, NoteFile("before"));
    QuillboardProcess program(data.AppData(), InstalledProgram());
    TypeIntoNote(program, L"kept after uninstall");

    UninstallSilently();

    ExpectEndedCleanly(program);
    EXPECT_EQ(RunValue(), L"");
    EXPECT_EQ(data.ReadNote(0xB2), NoteFile("kept after uninstall"));
}

TEST_F(Installer, UninstallLeavesARunValueThatStartsAnotherCopy) {
    ASSERT_EQ(InstallSilently(), 0);
    const std::wstring otherCopy = Quoted(L"C:\\Tools\\Quillboard\\Quillboard.exe");
    SetRunValue(otherCopy);

    UninstallSilently();

    EXPECT_EQ(RunValue(), otherCopy);
}

// The wizard page by page (Next on each) in the user's language, a
// screenshot of each when asked, and the program started from its installed
// place at the end.
TEST_F(Installer, InteractiveInstallWalksItsPagesAndStartsTheProgram) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION installer{};
    std::wstring commandLine = Quoted(InstallerPath());
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &installer));
    CloseHandle(installer.hThread);
    const std::wstring screenshots = EnvironmentText(L"QB_INSTALLER_SCREENSHOTS");

    const auto installerEnded = [&] { return WaitForSingleObject(installer.hProcess, 0) == WAIT_OBJECT_0; };
    int pagesSeen = 0;
    HWND previousPage = nullptr;
    while (pagesSeen < kMostWizardPages) {
        WizardPage current;
        PumpUntil(
            [&] {
                current = CurrentPage(installer.dwProcessId);
                return installerEnded() ||
                       (current.page && current.page != previousPage && IsWindowEnabled(current.next));
            },
            kPageTimeout);
        if (!current.page || current.page == previousPage || installerEnded()) break;
        previousPage = current.page;
        ++pagesSeen;
        std::u16string caption = WindowTextOf(current.wizard);
        caption.erase(caption.find_last_not_of(u' ') + 1);  // some pages add a blank subtitle
        EXPECT_EQ(caption, FromWide(ExpectedWizardCaption().c_str()));
        if (!screenshots.empty()) {
            RedrawWindow(current.wizard, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            WaitForInputIdle(installer.hProcess, static_cast<DWORD>(kPageTimeout.count()));
            const std::wstring path = screenshots + L"\\page" + std::to_wstring(pagesSeen) + L".bmp";
            ScreenPicture().SaveBmp(FromWide(path.c_str()));
        }
        // The progress page moves on by itself once the files are in place.
        if (FindWindowExW(current.page, nullptr, kProgressClass, nullptr)) continue;
        PostMessageW(current.wizard, WM_COMMAND, MAKEWPARAM(kWizardNextId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(current.next));
    }
    EXPECT_GE(pagesSeen, kLeastWizardPages);
    EXPECT_TRUE(PumpUntil(installerEnded, kPageTimeout));
    CloseHandle(installer.hProcess);

    HWND tray = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            const auto trays = TopLevelWindows(0, kTrayClass);
            tray = trays.empty() ? nullptr : trays.front();
            return tray != nullptr;
        },
        kInstallTimeout));
    DWORD processId = 0;
    GetWindowThreadProcessId(tray, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    QueryFullProcessImageNameW(process, 0, image, &length);
    EXPECT_EQ(CompareStringOrdinal(image, -1, InstalledProgram().c_str(), -1, TRUE), CSTR_EQUAL) << image;
    EXPECT_EQ(RunValue(), Quoted(InstalledProgram()));

    SendMessageW(tray, WM_COMMAND, kQuitCommand, 0);
    EXPECT_EQ(WaitForSingleObject(process, static_cast<DWORD>(kInstallTimeout.count())), WAIT_OBJECT_0);
    CloseHandle(process);
}

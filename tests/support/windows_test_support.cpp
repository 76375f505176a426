#include "support/windows_test_support.h"

#include <shellapi.h>

#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kClassNameLength = 64;
constexpr DWORD kControlTextTimeoutMs = 5000;

std::u16string UniqueTemporaryPath() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    const std::wstring name = std::wstring(base) + L"qb-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    return FromWide(name.c_str());
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search->processId != 0 && process != search->processId) return TRUE;
    wchar_t name[kClassNameLength] = {};
    GetClassNameW(window, name, kClassNameLength);
    if (!search->className || lstrcmpW(name, search->className) == 0) search->found.push_back(window);
    return TRUE;
}

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

TemporaryFolder::TemporaryFolder() : path_(UniqueTemporaryPath()) {
    CreateDirectoryW(Wide(path_), nullptr);
}

TemporaryFolder::~TemporaryFolder() {
    DeleteTree(path_);
}

void PumpPending() {
    // Bounded: a timer whose handler outlasts its period keeps a message
    // always due, and an unbounded loop would never return to its caller's
    // deadline.
    constexpr int kMostMessagesPerPump = 300;
    MSG message{};
    for (int pumped = 0; pumped < kMostMessagesPerPump && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++pumped) {
        if (message.message == WM_QUIT) continue;  // a quit posted by code under test is not ours
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        PumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string ReadRawFile(const std::u16string& path) {
    UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void WriteRawFile(const std::u16string& path, const std::string& bytes) {
    UniqueHandle file(
        CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void DeleteTree(const std::u16string& path) {
    std::wstring from(Wide(path));
    from.push_back(L'\0');  // SHFileOperation takes a double-NUL-terminated list
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::u16string> FilesIn(const std::u16string& folder, const wchar_t* pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const std::wstring query = std::wstring(Wide(folder)) + L"\\" + pattern;
    UniqueFindHandle search(FindFirstFileW(query.c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(FromWide(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

std::u16string BesideThisProgram(const std::u16string& fileName) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::u16string path = FromWide(self);
    path.resize(path.find_last_of(u'\\') + 1);
    return path + fileName;
}

HeldFile::HeldFile(const std::u16string& path, DWORD sharing)
    : handle_(CreateFileW(Wide(path), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className) {
    std::vector<HWND> visible;
    for (HWND window : TopLevelWindows(processId, className)) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> WindowsOfClass(const wchar_t* className) {
    return TopLevelWindows(GetCurrentProcessId(), className);
}

std::u16string ClassNameOf(HWND window) {
    wchar_t name[kClassNameLength] = {};
    GetClassNameW(window, name, kClassNameLength);
    return FromWide(name);
}

std::u16string WindowTextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return FromWide(text);
}

std::u16string ControlTextOf(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kControlTextTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kControlTextTimeoutMs, &copied);
    return FromWide(text.c_str(), copied);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    const WindowDc dc(window);
    return GetPixel(dc.Get(), x, y);
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        inputs.push_back(KeyInput(key, 0));
        inputs.push_back(KeyInput(key, KEYEVENTF_KEYUP));
    }
    Send(inputs);
}

void PressCombination(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, 0));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(KeyInput(*key, KEYEVENTF_KEYUP));
    Send(inputs);
}

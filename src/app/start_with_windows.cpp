#include "app/start_with_windows.h"

#include <windows.h>

#include <algorithm>

#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"Quillboard";
constexpr DWORD kModulePathCapacity = 260;
constexpr DWORD kRunValueBufferBytes = 1040;

// The Run value as a string, cut at its first NUL; empty when it is missing,
// not a REG_SZ or larger than the buffer. The byte count the registry gives
// back bounds the text, so a value that fills the buffer without a NUL is
// still read safely.
std::u16string ReadRunValue() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
    const UniqueRegistryKey key(opened);

    wchar_t buffer[kRunValueBufferBytes / sizeof(wchar_t)] = {};
    DWORD type = 0;
    DWORD size = kRunValueBufferBytes;
    if (RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    const std::size_t units = std::min<std::size_t>(size / sizeof(wchar_t), ARRAYSIZE(buffer));
    const std::size_t length = std::find(buffer, buffer + units, L'\0') - buffer;
    return FromWide(buffer, length);
}

bool EqualIgnoringCase(const std::u16string& left, const std::u16string& right) {
    return CompareStringOrdinal(Wide(left), static_cast<int>(left.size()), Wide(right),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::u16string StartupCommandLine() {
    wchar_t path[kModulePathCapacity] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, kModulePathCapacity);
    // A cut-off path would start nothing at log-on.
    if (length == 0 || length >= kModulePathCapacity) return {};
    std::u16string commandLine;
    commandLine.reserve(length + 2);
    commandLine.push_back(u'"');
    commandLine.append(FromWide(path, length));
    commandLine.push_back(u'"');
    return commandLine;
}

bool IsStartWithWindowsEnabled() {
    const std::u16string commandLine = StartupCommandLine();
    if (commandLine.empty()) return false;
    const std::u16string value = ReadRunValue();
    return !value.empty() && EqualIgnoringCase(value, commandLine);
}

void SetStartWithWindows(bool enabled) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const UniqueRegistryKey key(created);
    if (!enabled) {
        RegDeleteValueW(key.Get(), kRunValueName);
        return;
    }
    const std::u16string commandLine = StartupCommandLine();
    if (commandLine.empty()) return;
    const DWORD bytesWithNul = static_cast<DWORD>((commandLine.size() + 1) * sizeof(char16_t));
    RegSetValueExW(key.Get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide(commandLine)),
                   bytesWithNul);
}

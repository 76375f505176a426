#include "support/run_value.h"

#include <gtest/gtest.h>

#include "win/wide.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"Quillboard";

}  // namespace

RunValue ReadRunValue() {
    RunValue value;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr,
                     &size) != ERROR_SUCCESS) {
        return value;
    }
    value.bytes.resize(size);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                     value.bytes.data(), &size) != ERROR_SUCCESS) {
        return RunValue{};
    }
    value.bytes.resize(size);
    value.exists = true;
    return value;
}

std::u16string RunValueText() {
    const RunValue value = ReadRunValue();
    if (!value.exists || value.type != REG_SZ) return {};
    std::u16string text(value.bytes.size() / sizeof(char16_t), u'\0');
    value.bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(char16_t));
    return text.substr(0, text.find(u'\0'));
}

void WriteRunValue(DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, kRunValueName, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void WriteRunString(const std::u16string& text, DWORD type) {
    WriteRunValue(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

void DeleteRunValue() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
}

RunValueGuard::~RunValueGuard() {
    DeleteRunValue();
    if (saved_.exists) WriteRunValue(saved_.type, saved_.bytes.data(), static_cast<DWORD>(saved_.bytes.size()));
}

// Built by appending: GCC 12 warns wrongly on "x" + temporary.
std::u16string Quoted(const std::u16string& text) {
    std::u16string quoted(1, u'"');
    quoted.append(text);
    quoted.push_back(u'"');
    return quoted;
}

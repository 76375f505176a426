#include "test_support.h"

#include <cwchar>

#include "win/wide.h"

void DataFolderTest::SetUp() {
    wchar_t buffer[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, 1024);
    hadAppData_ = length > 0 && length < 1024;
    savedAppData_ = FromWide(buffer);
    SetEnvironmentVariableW(L"APPDATA", Wide(folder_.Path()));
}

void DataFolderTest::TearDown() {
    DestroyAllQuillboardWindows();
    PumpPending();
    SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? Wide(savedAppData_) : nullptr);
}

std::u16string DataFolderTest::DataPath(const std::u16string& relative) const {
    std::u16string path = folder_.Path() + u"\\Quillboard";
    if (!relative.empty()) path += u"\\" + relative;
    return path;
}

std::vector<HWND> WindowsOfClass(const wchar_t* className) {
    return TopLevelWindows(GetCurrentProcessId(), className);
}

void DestroyAllQuillboardWindows() {
    for (HWND window : WindowsOfClass(nullptr)) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcsncmp(name, L"Quillboard", 10) == 0) DestroyWindow(window);
    }
}

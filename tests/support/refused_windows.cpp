#include "support/refused_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kClassNameLength = 256;

// The classes refused now, one for each living RefuseWindowsOfClass.
std::vector<std::wstring> refusedClasses;

// The class is read off the window being made rather than taken from the
// create parameters, so that a class given by its atom is recognised too.
bool IsRefused(HWND window) {
    wchar_t name[kClassNameLength] = {};
    if (!GetClassNameW(window, name, kClassNameLength)) return false;
    return std::any_of(refusedClasses.begin(), refusedClasses.end(),
                       [&](const std::wstring& refused) { return lstrcmpiW(name, refused.c_str()) == 0; });
}

}  // namespace

RefuseWindowsOfClass::RefuseWindowsOfClass(const wchar_t* className)
    : className_(className), hook_(SetWindowsHookExW(WH_CBT, &RefuseWindowsOfClass::OnCbt, nullptr, GetCurrentThreadId())) {
    EXPECT_NE(hook_, nullptr) << "the creation hook could not be set";
    refusedClasses.push_back(className_);
}

RefuseWindowsOfClass::~RefuseWindowsOfClass() {
    UnhookWindowsHookEx(hook_);
    refusedClasses.erase(std::find(refusedClasses.begin(), refusedClasses.end(), className_));
}

LRESULT CALLBACK RefuseWindowsOfClass::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && IsRefused(reinterpret_cast<HWND>(wParam))) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Makes the creation of windows of one class fail, as an exhausted desktop
// heap would, for tests of what the program does when a window cannot be made.
#pragma once

#include <windows.h>

#include <string>

// While it lives, every window of the class (compared without regard to case)
// that this thread creates fails to be created.
class RefuseWindowsOfClass {
public:
    explicit RefuseWindowsOfClass(const wchar_t* className);
    ~RefuseWindowsOfClass();
    RefuseWindowsOfClass(const RefuseWindowsOfClass&) = delete;
    RefuseWindowsOfClass& operator=(const RefuseWindowsOfClass&) = delete;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);

    std::wstring className_;
    HHOOK hook_ = nullptr;
};

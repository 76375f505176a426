// The "Quillboard" value under the current user's Run key, which makes the
// program start with Windows, read and written raw in the registry.
#pragma once

#include <windows.h>

#include <string>

struct RunValue {
    bool exists = false;
    DWORD type = 0;
    std::string bytes;
};

RunValue ReadRunValue();
// The value as text (a REG_SZ), or empty when it is missing.
std::u16string RunValueText();
void WriteRunValue(DWORD type, const void* data, DWORD bytes);
// A string value with its terminating NUL, as programs normally write it.
void WriteRunString(const std::u16string& text, DWORD type = REG_SZ);
void DeleteRunValue();

// Puts back whatever the Run value was before the test, whatever happens.
class RunValueGuard {
public:
    RunValueGuard() : saved_(ReadRunValue()) {}
    ~RunValueGuard();
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

private:
    RunValue saved_;
};

// In quotation marks, as the program writes its path in the Run value.
std::u16string Quoted(const std::u16string& text);

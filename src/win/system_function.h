// A function of a system library the program needs only now and then (the
// common dialogs): the library is loaded at the first call rather than at
// start, where it would cost every run its memory.
#pragma once

#include <windows.h>

// The function, or null when the library or the function is missing. The
// library stays loaded for the rest of the run.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// What a running program holds, read from outside: GDI objects, user objects,
// kernel handles and private memory. Where the system's own counters are not
// kept (Wine answers 0), each is counted another way; the figure says how.
#pragma once

#include <windows.h>

#include <cstddef>

struct ProcessFigures {
    size_t gdiObjects = 0;
    size_t userObjects = 0;   // or, without the system's counter, its windows
    bool userObjectsAreWindows = false;
    size_t handles = 0;
    size_t privateBytes = 0;  // committed private memory
    size_t workingSetBytes = 0;
};

ProcessFigures ReadProcessFigures(HANDLE process, DWORD processId);

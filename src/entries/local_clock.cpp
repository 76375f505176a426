#include "entries/local_clock.h"

#include <windows.h>

DueParts LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DueParts{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

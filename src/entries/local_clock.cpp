#include "entries/local_clock.h"

#include <windows.h>

DueParts LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DueParts{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

Moment LocalMoment() {
    const DueParts now = LocalNow();
    return Moment{now.year, now.month, now.day, now.hour, now.minute};
}

Moment LocalMomentOfFileTime(std::uint64_t fileTime) {
    const FILETIME utc{static_cast<DWORD>(fileTime & 0xFFFFFFFFu), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &parts)) return {};
    return Moment{parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute};
}

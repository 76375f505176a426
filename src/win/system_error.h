// The system's own words for an error code, as a user may read them.
#pragma once

#include <windows.h>

#include <string>

// The message the system gives for a GetLastError() code, in the user's
// language, without its trailing line break; empty when the system has none.
std::u16string SystemErrorText(DWORD error);

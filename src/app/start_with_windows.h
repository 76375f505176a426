// "Start with Windows": one value under the current user's Run key holding
// the program's own quoted path. The setting has no copy in memory; the
// registry is read every time.
#pragma once

#include <string>

// The program's full path in double quotation marks, with no arguments;
// empty when the path cannot be read whole.
std::u16string StartupCommandLine();

// True only when the Run value is a string equal to StartupCommandLine()
// ignoring case: a value that points at another copy, or at this one
// without quotation marks, does not count.
bool IsStartWithWindowsEnabled();

// Writes the Run value (enabled) or deletes it. Failures leave it as it was.
void SetStartWithWindows(bool enabled);

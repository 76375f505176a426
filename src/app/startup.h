// The program from start to exit: start-up in its fixed order, the main
// message loop, and the exit code.
#pragma once

#include <windows.h>

#include <string>

// `commandLine` is the whole command line, the program's name first
// (app/core/command_line.h).
int RunQuillboard(HINSTANCE instance, const std::u16string& commandLine);

// The program from start to exit: start-up in its fixed order, the main
// message loop, and the exit code.
#pragma once

#include <windows.h>

int RunQuillboard(HINSTANCE instance);

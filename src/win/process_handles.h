// The program's module.
#pragma once

#include <windows.h>

// The module every window class and window of the program is made with.
HINSTANCE ModuleInstance();

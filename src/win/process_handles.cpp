#include "win/process_handles.h"

HINSTANCE ModuleInstance() {
    // The program is one executable: its module is the process's own.
    return GetModuleHandleW(nullptr);
}

// Where a failure goes that the user need not be told about at that moment:
// the debugger's output, read with a debugger or a tool such as DebugView.
// Failures the user must know of (a note that cannot be saved) are shown by
// the caller besides.
#pragma once

#include <string>

// Writes "Quillboard: <what>: <detail> (error <error>)" to the debugger's
// output; `error` is a GetLastError() code, 0 when there is none.
void RecordFailure(const char16_t* what, const std::u16string& detail, unsigned long error);

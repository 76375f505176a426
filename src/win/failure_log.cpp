#include "win/failure_log.h"

#include <windows.h>

#include "win/wide.h"

void RecordFailure(const char16_t* what, const std::u16string& detail, unsigned long error) {
    std::u16string line = u"Quillboard: ";
    line += what;
    line += u": " + detail;
    if (error != 0) {
        line += u" (error ";
        for (const char digit : std::to_string(error)) line.push_back(static_cast<char16_t>(digit));
        line += u")";
    }
    line += u"\n";
    OutputDebugStringW(Wide(line));
}

// Reads arbitrary text as a typed due date: the result is no date or a real
// date and time, and what the date field would show for it reads back as
// the very same due.
#include <cstddef>
#include <cstdint>

#include "entries/due_text.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DueStamp due = ParseDueText(TextFromInput(data, size));
    if (due == 0) return 0;
    Check(IsWellFormedDue(due));
    Check(ParseDueText(FormatDueForEditing(due)) == due);
    return 0;
}

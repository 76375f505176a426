// Reads arbitrary text as a typed due date: the result is no date or a real
// date and time, and what the date field would show for it reads back as
// the very same due.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "entries/due_text.h"
#include "fuzz_text.h"

namespace {

void CheckTypedText(const std::u16string& text) {
    const DueStamp due = ParseDueText(text);
    if (due == 0) return;
    Check(IsWellFormedDue(due));
    Check(ParseDueText(FormatDueForEditing(due)) == due);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckTypedText(TextFromBytes(data, size));
    // Each byte as one character too: typed dates are mostly ASCII, which
    // byte pairs spell out only when every other byte is zero.
    CheckTypedText(std::u16string(data, data + size));
    return 0;
}

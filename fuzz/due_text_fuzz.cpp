// Reads arbitrary text as a typed date field: the result is unreadable, no
// date or a real date and time, and what the date field would show for it
// reads back as the very same due.
#include <cstddef>
#include <cstdint>

#include "entries/due_text.h"
#include "fuzz_text.h"

namespace {

// Today is any date of the supported years, and the days around their ends.
constexpr DateStamp kTodays[] = {20261201, 20261231, 20240229, 1000101, 99991231};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromInput(data, size);
    for (const DateStamp today : kTodays) {
        const std::optional<DueStamp> due = ReadDueField(text, today);
        if (!due || *due == 0) continue;
        Check(IsWellFormedDue(*due));
        Check(ReadDueField(FormatDueForEditing(*due), today) == due);
    }
    return 0;
}

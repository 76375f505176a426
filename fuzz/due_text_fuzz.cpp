// Reads arbitrary text as a typed date field: the result is unreadable, no
// date or a real date and time, and what the date field would show for it
// reads back as the very same due. The same text typed into the picker's
// hour and minute fields gives an hour and a minute of the clock, and a
// number the field shows reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "entries/core/due_text.h"
#include "entries/core/picker_rules.h"
#include "fuzz_text.h"

namespace {

// Today is any date of the supported years, and the days around their ends.
constexpr DateStamp kTodays[] = {20261201, 20261231, 20240229, 1000101, 99991231};

void CheckPickerFields(const std::u16string& text) {
    const int number = ReadFieldNumber(text);
    Check(number >= 0);
    Check(ReadFieldNumber(TwoDigitText(number)) == number);
    const int hour = TypedHour(text);
    const int minute = TypedMinute(text);
    Check(hour >= 0 && hour < kHourModulus);
    Check(minute >= 0 && minute < kMinuteModulus);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromInput(data, size);
    CheckPickerFields(text);
    for (const DateStamp today : kTodays) {
        const std::optional<DueStamp> due = ReadDueField(text, today);
        if (!due || *due == 0) continue;
        Check(IsWellFormedDue(*due));
        Check(ReadDueField(FormatDueForEditing(*due), today) == due);
    }
    return 0;
}

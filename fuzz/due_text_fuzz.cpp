// Reads arbitrary text as a typed due date: the result is no date or a real
// date and time, and what the date field would show for it reads back as
// the very same due. The same text typed into the picker's hour and minute
// fields gives an hour and a minute of the clock, and a number the field
// shows reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "entries/due_text.h"
#include "entries/picker_rules.h"
#include "fuzz_text.h"

namespace {

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

    const DueStamp due = ParseDueText(text);
    if (due == 0) return 0;
    Check(IsWellFormedDue(due));
    Check(ParseDueText(FormatDueForEditing(due)) == due);
    return 0;
}

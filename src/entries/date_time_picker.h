// A small popup calendar with hour and minute fields that gives a date and
// time. It leaves ModalDialogActive as it finds it: opened from the entry
// editor, the editor has set it already.
#pragma once

#include <windows.h>

#include "storage/core/note_record.h"

constexpr wchar_t kDateTimePickerClass[] = L"QuillboardPicker";
constexpr int kHourFieldId = 201;
constexpr int kMinuteFieldId = 202;

// Opens the picker in `colour` at the screen point `anchor`, kept inside the
// work area of the owner's monitor, on `value` (the current local date and
// time when it holds no date). On OK `value` becomes the picked date and
// time and the result is true; otherwise `value` is unchanged.
bool ShowDateTimePicker(HWND owner, ColourRef colour, POINT anchor, DueStamp& value);

// Steps the number in an hour or minute field by `step`, wrapping at
// `modulus`, and writes it back with two digits.
void StepSpinField(HWND popup, int fieldId, int step, int modulus);

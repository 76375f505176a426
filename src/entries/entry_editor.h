// The dialog that edits one entry of a scheduled note: its text and its due
// date and time, typed or picked from the calendar.
#pragma once

#include <windows.h>

#include "storage/note_record.h"

constexpr wchar_t kEntryEditorClass[] = L"QuillboardEditEntree";
constexpr int kEntryTextFieldId = 100;
constexpr int kDueFieldId = 103;
constexpr int kCalendarButtonId = 104;

// Shows the editor over `owner` in the owner note's `colour` with the
// entry's text and due. On OK the entry's text (each line break made one
// space) and due (0 when the date field holds no date) are replaced and the
// result is true; otherwise the entry is untouched. No other field of
// the entry is read or written. ModalDialogActive is set while it is open.
bool ShowEntryEditor(HWND owner, ColourRef colour, NoteEntry& entry);

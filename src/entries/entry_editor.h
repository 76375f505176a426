// The dialog that edits one entry of a scheduled note: its text and its due
// date and time, typed or picked from the calendar.
#pragma once

#include <windows.h>

#include "storage/core/note_record.h"

constexpr wchar_t kEntryEditorClass[] = L"QuillboardEditEntree";
constexpr int kEntryTextFieldId = 100;
constexpr int kDueFieldId = 103;
constexpr int kCalendarButtonId = 104;
constexpr int kDueRefusedLineId = 105;

// Shows the editor over `owner` in the owner note's `colour` with the
// entry's text and due. On OK the entry's text (each line break made one
// space) and due (0 for a blank date field) are replaced and the result is
// true; otherwise the entry is untouched. A date field that cannot be read
// wholly (see ReadDueField) is refused: OK then leaves the editor open with
// the field marked and selected until it is changed. OK with a blank text and
// a blank date field stores nothing and gives false, as Cancel does, so that
// a new entry is not made and an edited one stays as it was. No other field
// of the entry is read or written. ModalDialogActive is set while it is open.
bool ShowEntryEditor(HWND owner, ColourRef colour, NoteEntry& entry);

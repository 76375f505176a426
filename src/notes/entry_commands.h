// Moving text between the regular and the scheduled note of a category: an
// entry becomes a line, a line becomes an entry. And the entry menu of a
// scheduled note.
#pragma once

#include <windows.h>

#include <string>

#include "storage/core/note_record.h"

constexpr UINT kConvertLineCommand = 9001;
constexpr UINT kTransferEntryCommand = 9002;

// Appends a line to the text of a note's edit and saves the note.
void AppendNoteLine(HWND noteWindow, const std::u16string& text);

// The entry menu for a right click at a screen point. False when the point
// is not on an entry row of a floating scheduled note, so that the note's
// main menu opens instead. "Transferer vers une note normale" moves the
// entry into the regular note of the same category and subcategory (made
// when there is none) and discards this note when it is left empty.
bool ShowEntryMenu(HWND noteWindow, int x, int y);

// Asks for a due with the date picker at `anchor`, then moves the line that
// starts at `lineStart` (holding `lineText`) out of the note's edit into a
// new entry of the scheduled note of the same category and subcategory. The
// line stays when the picker is cancelled, when the note cannot be made, or
// when the text changed meanwhile. A note emptied by it is discarded once
// the current message has been handled.
void ConvertLineToEntry(HWND noteWindow, int lineStart, const std::u16string& lineText, POINT anchor);

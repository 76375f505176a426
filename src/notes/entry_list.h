// The entry list of a scheduled note in its window: painting it, what a
// left click on it does, and adding entries.
#pragma once

#include <windows.h>

#include <string>

#include "base/rect.h"
#include "storage/core/note_record.h"

// The current local date as YYYYMMDD: done entries show only on this day.
DateStamp TodayStamp();

// Paints the rows below the header, then the add row.
void PaintEntryList(HDC dc, const Note& note, int clientWidth, int clientHeight);

// A left click at a client point at or below the header's bottom edge:
// ticks, deletes or edits the entry under it, or adds one from the add row.
void ClickEntryList(HWND noteWindow, Point client);

// Opens the entry editor on a new entry and appends it when accepted.
void AddEntryWithEditor(HWND noteWindow);

// Appends an entry without a dialog; the caller passes a scheduled note.
void AddEntry(HWND noteWindow, const std::u16string& text, DueStamp due);

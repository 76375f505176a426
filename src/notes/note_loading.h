// The start-up load: one note window per stored note file; and the same
// again when the data folder becomes one with notes of its own.
#pragma once

#include <windows.h>

#include <string>

// One window per "note_*.txt" file. False when there was no note file at all,
// so that the caller can skip its pass over the notes.
bool LoadAllNotes(HINSTANCE instance);

// One note window for one stored note file, shown without activation; null
// when the name is not one the program gives, the file cannot be read, or
// the window cannot be made (the file is then left alone).
HWND LoadStoredNote(const std::u16string& folder, const std::u16string& fileName);

// After a switch to a data folder that holds notes of its own: closes every
// note window, without saving (the caller saved them to the old folder), and
// loads the categories and the notes of the data folder as start-up does.
void ReloadNotesFromDataFolder(HINSTANCE instance);

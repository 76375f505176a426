// The start-up load: one note window per stored note file.
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

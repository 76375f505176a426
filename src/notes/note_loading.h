// The start-up load: one note window per stored note file.
#pragma once

#include <windows.h>

// One window per "note_*.txt" file. False when there was no note file at all,
// so that the caller can skip its pass over the notes.
bool LoadAllNotes(HINSTANCE instance);

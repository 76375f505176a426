// The start-up load: one note window per stored note file; and the same
// again when the data folder becomes one with notes of its own.
#pragma once

#include <windows.h>

// One window per "note_*.txt" file. False when there was no note file at all,
// so that the caller can skip its pass over the notes.
bool LoadAllNotes(HINSTANCE instance);

// After a switch to a data folder that holds notes of its own: closes every
// note window, without saving (the caller saved them to the old folder), and
// loads the categories and the notes of the data folder as start-up does.
void ReloadNotesFromDataFolder(HINSTANCE instance);

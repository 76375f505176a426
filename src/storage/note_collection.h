// The set of notes as a whole: the note window class, the start-up load of
// every note file, removing a note, and walking over all note windows.
#pragma once

#include <windows.h>

#include <functional>

// Registers "QuillboardNote" once (and starts GDI+ and the common controls).
void RegisterNoteWindowClass(HINSTANCE instance);

// One window per "note_*.txt" file, then the category reconciliation pass.
void LoadAllNotes(HINSTANCE instance);

// The user's "delete this note": asks unless the note is blank without entries.
void DeleteNote(HWND noteWindow);

// Removes the note with its file, without asking, when it is blank, floating
// and without entries.
void DiscardNoteIfBlank(HWND noteWindow);

// True for a top-level window whose class is exactly "QuillboardNote".
bool IsNoteWindow(HWND window);

// Calls the visitor for every note window that has a Note, in EnumWindows order.
void ForEachNoteWindow(const std::function<void(HWND)>& visit);

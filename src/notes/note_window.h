// The note window: a borderless top-level window that owns its Note and
// draws its header and body itself.
#pragma once

#include <windows.h>

#include "notes/notes_state.h"

// The window procedure of the "QuillboardNote" class.
LRESULT CALLBACK NoteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers "QuillboardNote" once (and starts GDI+ and the common controls).
// Start-up does this before any note is made.
void RegisterNoteWindowClass(HINSTANCE instance);

// The note's main menu belongs to the layer above the notes (it manages
// categories); start-up registers the function that shows it at a screen
// point. Until then a note has no menu.
void SetNoteMenuHandler(NoteMenuHandler handler);

// What a save does when a note's file changed outside (notes/note_sync.h);
// start-up registers it. Until then a save writes as it always did.
void SetNoteFileChangedHandler(NoteFileChangedHandler handler);

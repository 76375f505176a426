// The filter every message of the main loop passes first: it runs the note
// commands typed while a note has the keyboard focus.
#pragma once

#include <windows.h>

// True when the message was consumed and must not be dispatched.
bool NoteShortcutFilter(const MSG& message);

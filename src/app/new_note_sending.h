// /new on the command line, in a second copy: the text goes to the copy that
// runs, as a WM_COPYDATA message to its tray window, and that copy makes
// the note (app/new_note_handoff.h). The second copy writes nothing.
#pragma once

#include "app/core/new_note_request.h"

// Hands the request to the running copy and tells the user what went wrong,
// if anything. Returns the exit code (app/exit_codes.h).
int HandNewNoteToRunningCopy(const NewNoteRequest& request);

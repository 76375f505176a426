// /new on the command line, in the copy that runs: the note a second copy
// asked for in a WM_COPYDATA message to the tray window
// (app/new_note_sending.h), or the one this copy was started with, made
// once its notes are loaded.
#pragma once

#include <windows.h>

#include <string>

#include "app/core/new_note_request.h"

// True when the category named (if any) exists in the store, so that the
// note can be filed there. Tells the user when it does not.
[[nodiscard]] bool CheckRequestedCategory(const std::u16string& category);

// Says that no category has that name.
void TellUnknownCategory(const std::u16string& category);

// Makes the requested note; false (and no note) when the category named
// does not exist.
bool MakeRequestedNote(const NewNoteRequest& request);

// The tray window's WM_COPYDATA: makes the note and answers with a NewNoteReply.
LRESULT OnNewNoteRequest(const COPYDATASTRUCT& data);

// The notes as the find window searches them: read from the note windows
// once, when the window opens, and kept while it is open, so that a key
// press only compares.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "search/core/searchable_note.h"

// Every note window of this process, with its text or entries and its
// category's names as they are now.
std::vector<SearchableNote> IndexNoteWindows();


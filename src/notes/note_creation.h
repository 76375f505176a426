// Making note windows: from stored parameters, a new empty note, or the note
// of a category and type that a line or entry moves into.
#pragma once

#include <windows.h>

#include <cstdint>

#include "storage/core/note_record.h"

// Creates a note window (hidden) from its parameters; null on failure. The
// window class must be registered (RegisterNoteWindowClass, at start-up).
HWND CreateNoteWindow(const NoteCreateParams& params);

// A new empty regular note, shown and activated: below a pinned source note,
// else at the next of the 8 cascade places.
HWND CreateNewNote(HWND sourceNote);

// The first note with exactly this category, subcategory and type, or a new
// empty one with them (shown without activation); null if creation failed.
HWND FindOrCreateNote(std::int32_t categoryId, std::int32_t subcategoryId, NoteType type);

// Making note windows: from stored parameters, a new empty note, or the note
// of a category and type that a line or entry moves into.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "storage/core/note_record.h"

// Creates a note window (hidden) from its parameters; null on failure. The
// window class must be registered (RegisterNoteWindowClass, at start-up).
HWND CreateNoteWindow(const NoteCreateParams& params);

// A new empty regular note, shown and activated: below a pinned source note,
// else at the next of the 8 cascade places.
HWND CreateNewNote(HWND sourceNote);

// A new regular note holding `text` (every line break made CR LF), filed
// under the category and subcategory when they exist (0: none; the category
// gives its colour), shown, activated and saved at once: a text handed over
// by another program is on the disk as soon as it shows. Null if creation
// failed.
HWND CreateNoteWithText(const std::u16string& text, std::int32_t categoryId, std::int32_t subcategoryId);

// The first note with exactly this category, subcategory and type, or a new
// empty one with them (shown without activation); null if creation failed.
HWND FindOrCreateNote(std::int32_t categoryId, std::int32_t subcategoryId, NoteType type);

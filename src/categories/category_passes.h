// Filing notes under categories, and the passes over all notes after the
// category store changed.
#pragma once

#include <windows.h>

#include <cstdint>

// Files the note under the category and subcategory that exist (else none);
// a found category gives the note its colour. Repaints and saves the note.
void AssignNoteCategory(HWND noteWindow, std::int32_t categoryId, std::int32_t subcategoryId);

// Brings every note in line with the store: a vanished category or
// subcategory is cleared, a recoloured category recolours its notes. Only
// changed notes are repainted and saved.
void RefreshNotesAfterCategoryChange();

// Invalidates every note window (labels, language or date changed).
void RepaintAllNotes();

// When "categories.txt" could not be read so far (another program held it
// open), reads it now and, if that works, brings every note in line with it.
// True when the store reflects the file and may be changed and saved.
bool CatchUpWithCategoriesFile();

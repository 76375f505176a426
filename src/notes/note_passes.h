// The passes over all note windows: docking, saving, repainting, and
// bringing every note in line with the category store.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "storage/core/category_merge.h"

// Docks every floating note: to its last edge, else to the nearest one.
void DockAllNotes();

// Restores every docked note.
void UndockAllNotes();

// SaveNote for every note window, changed or not.
void SaveAllNotes();

// SaveNote again for every note whose last save failed.
void RetryFailedNoteSaves();

// How many notes' last save failed, and the error of the first of them.
struct FailedNoteSaves {
    int count = 0;
    unsigned long firstError = 0;
};
FailedNoteSaves CountFailedNoteSaves();

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

// Files every note as the moves of a merge of categories say (see
// MergeCategoryStores); a note that moves is saved.
void ApplyFilingMoves(const std::vector<FilingMove>& moves);

// The process's category store and its file "categories.txt".
#pragma once

#include <string>
#include <vector>

#include "storage/core/category_store.h"
#include "storage/storage_state.h"

// The store of the program's state.
CategoryStore& Categories();

// Replaces the store with the file's content (empty when there is none).
CategoriesFileState LoadCategories();

// False while the file exists but has not been read: the store is then empty
// only because the file could not be read, and must not overwrite it.
bool CategoriesFileRead();

// When the file could not be read so far, tries again; true when the store
// was replaced by the file's content just now.
[[nodiscard]] bool RetryUnreadCategoriesFile();

// Rewrites "categories.txt" from the store; false when the write failed, or
// when the file has not been read yet (it is then left as it is). A failed
// write is kept among the unsaved files, to be tried again. When another
// program changed the file since this one last read or wrote it, what it
// holds is merged into the store first (never written over).
[[nodiscard]] bool SaveCategories();

// What to do now that "categories.txt" may have changed outside: nothing
// when it is the version last read or written; otherwise the store takes
// what it holds (merged with changes of this program not saved yet). True
// when the store changed.
bool CatchUpWithOutsideCategories();

// Merges a sync service's clash copy of "categories.txt" (its file name in
// the data folder) into the store, saves, and removes the copy. True when
// the copy was read and merged.
bool MergeCategoriesClashCopy(const std::u16string& fileName);

// The moves of notes merges left for the notes' pass; empties the list.
std::vector<FilingMove> TakeFilingMoves();

// The spread for the next new category or subcategory id (see CreateCategory):
// random, unless the state names another source.
std::uint32_t NextCategoryIdSpread();

// The process's category store and its file "categories.txt".
#pragma once

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
// write is kept among the unsaved files, to be tried again.
[[nodiscard]] bool SaveCategories();

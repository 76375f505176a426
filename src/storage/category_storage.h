// The process's category store and its file "categories.txt".
#pragma once

#include "storage/category_store.h"

// The one store of the process.
CategoryStore& Categories();

// Replaces the store with the file's content (empty when there is none).
void LoadCategories();

// Rewrites "categories.txt" from the store; false when the write failed.
bool SaveCategories();

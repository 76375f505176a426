// The data files besides the notes (categories, settings) whose last save
// failed. Their contents stay in memory; each is written again by
// RetryUnsavedFiles (on the 30-second timer and before quitting) until a
// save succeeds, and the quit question counts them.
#pragma once

#include <string>
#include <vector>

#include "storage/storage_state.h"

// Records the outcome of a save of the file `name` made by `saver`: a failure
// keeps it (with its error) for the retries, a success forgets it.
void RecordFileSave(const std::u16string& name, FileSaver saver, bool saved, unsigned long error);

// Tries every unsaved file again; those that now reach the disk are forgotten.
void RetryUnsavedFiles();

// The files whose last save failed, oldest failure first.
const std::vector<UnsavedFile>& UnsavedFiles();

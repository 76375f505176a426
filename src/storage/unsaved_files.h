// The data files besides the notes (categories, settings) whose last save
// failed. Their contents stay in memory; each is written again by
// RetryUnsavedFiles (on the 30-second timer and before quitting) until a
// save succeeds, and the quit question counts them.
#pragma once

#include <string>
#include <vector>

// Writes one file from what the program holds; true when it reached the disk.
using FileSaver = bool (*)();

struct UnsavedFile {
    std::u16string name;  // the file's name in the data folder
    FileSaver saver = nullptr;
    unsigned long error = 0;  // GetLastError() of the failed write
};

// Records the outcome of a save of the file `name` made by `saver`: a failure
// keeps it (with its error) for the retries, a success forgets it.
void RecordFileSave(const std::u16string& name, FileSaver saver, bool saved, unsigned long error);

// Tries every unsaved file again; those that now reach the disk are forgotten.
void RetryUnsavedFiles();

// The files whose last save failed, oldest failure first.
const std::vector<UnsavedFile>& UnsavedFiles();

// Forgets every unsaved file without writing it (a test's clean slate).
void ForgetUnsavedFiles();

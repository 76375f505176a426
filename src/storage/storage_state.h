// What the storage layer keeps for the whole run: its part of the program's
// state (app/program_state.h), reached through CurrentStorageState().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/state_slot.h"
#include "storage/core/category_merge.h"
#include "storage/core/category_store.h"
#include "storage/core/file_version.h"

enum class CategoriesFileState {
    Read,        // the store holds what the file holds
    Missing,     // no file yet: the store starts empty
    Unreadable,  // the file exists but could not be read (held open by another program)
};

// Writes one file from what the program holds; true when it reached the disk.
using FileSaver = bool (*)();

// A data file besides the notes whose last save failed.
struct UnsavedFile {
    std::u16string name;  // the file's name in the data folder
    FileSaver saver = nullptr;
    unsigned long error = 0;  // GetLastError() of the failed write
};

// Where the spread of a new category id comes from (see CreateCategory).
using IdSpreadSource = std::uint32_t (*)();

struct StorageState {
    // The folder the notes live in when the user chose one (read from the
    // pointer file at start, changed by a move); empty for the machine's own
    // folder, %APPDATA%\Quillboard.
    std::u16string dataFolder;
    CategoryStore categories;
    IdSpreadSource categoryIdSpread = nullptr;  // null: random (RandomNumber); tests give their own
    CategoriesFileState categoriesFile = CategoriesFileState::Missing;
    FileVersion categoriesVersion;  // of categories.txt, as last read or written
    // Notes to file elsewhere after the categories of another machine were
    // merged in (see MergeCategoryStores); the notes' pass takes them.
    std::vector<FilingMove> filingMoves;
    std::vector<UnsavedFile> unsavedFiles;  // oldest failure first
    std::uint64_t noteIdsMade = 0;           // keeps ids made in one clock tick apart
};

inline StorageState& CurrentStorageState() {
    return StateSlot<StorageState>::Get();
}

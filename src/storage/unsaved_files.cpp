#include "storage/unsaved_files.h"

#include <algorithm>

namespace {

std::vector<UnsavedFile>& Pending() {
    return CurrentStorageState().unsavedFiles;
}

}  // namespace

void RecordFileSave(const std::u16string& name, FileSaver saver, bool saved, unsigned long error) {
    std::vector<UnsavedFile>& files = Pending();
    const auto found = std::find_if(files.begin(), files.end(), [&name](const UnsavedFile& f) { return f.name == name; });
    if (saved) {
        if (found != files.end()) files.erase(found);
    } else if (found != files.end()) {
        found->error = error;
    } else {
        files.push_back({name, saver, error});
    }
}

void RetryUnsavedFiles() {
    // Each saver records its own outcome, which changes the list: walk a copy.
    const std::vector<UnsavedFile> files = Pending();
    for (const UnsavedFile& file : files) {
        if (file.saver) file.saver();
    }
}

const std::vector<UnsavedFile>& UnsavedFiles() {
    return Pending();
}

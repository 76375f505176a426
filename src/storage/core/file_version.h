// Which version of a file the program last read or wrote, told by what the
// file system says of it without reading it: a file changed by anything else
// (a sync service, an editor) has another size or last-write time.
#pragma once

#include <cstdint>

struct FileVersion {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;  // in the file system's 100-nanosecond units

    bool operator==(const FileVersion&) const = default;
};

// A private APPDATA folder for one test, and the program's files inside its
// "Quillboard" folder, read and written byte for byte.
#pragma once

#include <cstdint>
#include <string>

#include "support/windows_test_support.h"

class DataFolder {
public:
    // What APPDATA points at.
    const std::u16string& AppData() const { return folder_.Path(); }

    // The backups' folder (LOCALAPPDATA is "Local" in the private APPDATA),
    // or a path inside it.
    std::u16string BackupsPath(const std::u16string& relative = u"") const;

    // The "Quillboard" folder, or a path inside it.
    std::u16string DataPath(const std::u16string& relative = u"") const;
    // "notes\note_" + the id as 16 upper-case hex digits + ".txt".
    std::u16string NotePath(std::uint64_t id) const;

    // Writes a file inside "Quillboard", making the folders it needs.
    void Write(const std::u16string& relative, const std::string& bytes) const;
    void WriteNote(std::uint64_t id, const std::string& bytes) const;

    // A file's bytes; empty when it is missing.
    std::string Read(const std::u16string& relative) const;
    std::string ReadNote(std::uint64_t id) const;

private:
    TemporaryFolder folder_;
};

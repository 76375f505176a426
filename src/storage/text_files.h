// Whole-file reading and the safe replacement of a file. Files hold UTF-8
// bytes; in memory text is UTF-16. Bytes travel in a std::string, which may
// hold NUL bytes.
#pragma once

#include <cstdint>
#include <string>

#include "storage/core/file_version.h"

using Bytes = std::string;

// The whole content of a file, or nothing when it cannot be opened.
Bytes ReadFileBytes(const std::u16string& path);

// The same, telling an unreadable file (false) apart from an empty one.
[[nodiscard]] bool TryReadFileBytes(const std::u16string& path, Bytes& bytes);

// The first `limit` bytes of a file at most; `cut` tells whether more
// followed. False when it cannot be opened or read.
[[nodiscard]] bool ReadFileStart(const std::u16string& path, std::uint64_t limit, Bytes& bytes, bool& cut);

// The whole content of a file and the version it was read at, from one
// opening of it; false when it cannot be opened or read.
[[nodiscard]] bool ReadFileWithVersion(const std::u16string& path, Bytes& bytes, FileVersion& version);

// The version of a file as it is now; one that does not exist (or cannot be
// looked at) has exists false.
FileVersion FileVersionOf(const std::u16string& path);

// A file's size in bytes, without reading it; false when it cannot be opened.
[[nodiscard]] bool FileSizeOf(const std::u16string& path, std::uint64_t& size);

// UTF-8 to UTF-16; invalid sequences become U+FFFD, one leading BOM is dropped.
std::u16string DecodeUtf8(const Bytes& bytes);

// DecodeUtf8(ReadFileBytes(path)): how every text file of the program is read.
std::u16string ReadTextFile(const std::u16string& path);

// The text of a small file the program keeps (settings, languages): at most
// its first `limit` bytes, and when the file is longer, only the whole lines
// among them. A file swollen by accident costs no more than `limit` to read.
// Empty when the file cannot be read.
std::u16string ReadTextFileStart(const std::u16string& path, std::uint64_t limit);

// UTF-16 to UTF-8, without a BOM.
Bytes EncodeUtf8(const std::u16string& text);

// Whether a failed replace of `target` may succeed when tried again a
// moment later: a reader holding the file briefly, yes; a read-only file or
// any other error, no. `error` is the GetLastError() code of the move.
bool IsReplaceFailureTransient(unsigned long error, const std::u16string& target);

// Writes path + ".tmp", flushes it, then moves it over path; a missing
// folder on the way is made. True only when path now holds exactly these
// bytes; otherwise the previous file is intact, GetLastError() tells why and
// the failure is recorded (win/failure_log.h).
// When given, `written` receives the version of the file written.
[[nodiscard]] bool WriteFileAtomic(const std::u16string& path, const Bytes& bytes, FileVersion* written = nullptr);

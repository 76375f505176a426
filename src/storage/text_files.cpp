#include "storage/text_files.h"

#include <windows.h>

#include "win/failure_log.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

UniqueHandle OpenForReading(const std::u16string& path) {
    return UniqueHandle(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool SizeOf(HANDLE file, std::uint64_t& size) {
    LARGE_INTEGER value{};
    if (!GetFileSizeEx(file, &value) || value.QuadPart < 0) return false;
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

std::uint64_t Combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

FileVersion VersionOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return FileVersion{true, Combine(info.nFileSizeHigh, info.nFileSizeLow),
                       Combine(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

// One read call takes at most a DWORD's worth; nothing the program reads
// comes near it.
constexpr std::uint64_t kLargestRead = 0xFFFFFFFFu;

}  // namespace

bool ReadFileWithVersion(const std::u16string& path, Bytes& bytes, FileVersion& version) {
    bytes.clear();
    version = FileVersion{};
    const UniqueHandle file = OpenForReading(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info)) return false;
    const FileVersion found = VersionOf(info);
    if (found.size > kLargestRead) return false;
    bytes.assign(static_cast<std::size_t>(found.size), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        bytes.clear();
        return false;
    }
    version = found;
    return true;
}

FileVersion FileVersionOf(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return {};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    return FileVersion{true, Combine(data.nFileSizeHigh, data.nFileSizeLow),
                       Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool FileSizeOf(const std::u16string& path, std::uint64_t& size) {
    const UniqueHandle file = OpenForReading(path);
    return file && SizeOf(file.Get(), size);
}

bool ReadFileStart(const std::u16string& path, std::uint64_t limit, Bytes& bytes, bool& cut) {
    bytes.clear();
    cut = false;
    const UniqueHandle file = OpenForReading(path);
    std::uint64_t size = 0;
    if (!file || !SizeOf(file.Get(), size)) return false;
    cut = size > limit;
    const std::uint64_t wanted = cut ? limit : size;
    if (wanted > kLargestRead) return false;
    if (wanted == 0) return true;
    bytes.assign(static_cast<std::size_t>(wanted), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(wanted), &read, nullptr)) {
        bytes.clear();
        return false;
    }
    bytes.resize(read);
    return true;
}

bool TryReadFileBytes(const std::u16string& path, Bytes& bytes) {
    bool cut = false;
    return ReadFileStart(path, kLargestRead, bytes, cut) && !cut;
}

Bytes ReadFileBytes(const std::u16string& path) {
    Bytes bytes;
    if (!TryReadFileBytes(path, bytes)) bytes.clear();  // unreadable reads as missing
    return bytes;
}

std::u16string DecodeUtf8(const Bytes& bytes) {
    if (bytes.empty()) return {};
    const int inputLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), inputLength, nullptr, 0);
    if (length <= 0) return {};

    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), inputLength, WideBuffer(text), length);
    if (!text.empty() && text.front() == u'\xFEFF') text.erase(0, 1);
    return text;
}

std::u16string ReadTextFile(const std::u16string& path) {
    return DecodeUtf8(ReadFileBytes(path));
}

std::u16string ReadTextFileStart(const std::u16string& path, std::uint64_t limit) {
    Bytes bytes;
    bool cut = false;
    if (!ReadFileStart(path, limit, bytes, cut)) return {};
    if (cut) {
        // What follows the last line feed is a fragment of a line, not
        // the line that was written.
        const std::size_t lastLineFeed = bytes.rfind('\n');
        bytes.resize(lastLineFeed == Bytes::npos ? 0 : lastLineFeed + 1);
    }
    return DecodeUtf8(bytes);
}

Bytes EncodeUtf8(const std::u16string& text) {
    if (text.empty()) return {};
    const int inputLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, Wide(text), inputLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};

    Bytes bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide(text), inputLength, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

namespace {

// Writes every byte to a fresh temporary file and flushes it to disk; the
// file's version then is the version the moved file will have.
bool WriteWholeFile(const std::u16string& path, const Bytes& bytes, FileVersion& version) {
    UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    DWORD written = 0;
    const DWORD length = static_cast<DWORD>(bytes.size());
    const bool ok = WriteFile(file.Get(), bytes.data(), length, &written, nullptr) && written == length;
    // A short write with no error is a full disk.
    const DWORD error = ok ? ERROR_SUCCESS : (GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_DISK_FULL);
    FlushFileBuffers(file.Get());
    BY_HANDLE_FILE_INFORMATION info{};
    version = GetFileInformationByHandle(file.Get(), &info) ? VersionOf(info) : FileVersion{};
    SetLastError(error);
    return ok;
}

// Moves the temporary file over the target. A virus scanner, an indexer or
// a backup tool that reads the target at that moment makes the replace fail
// for an instant; a few short retries keep such a save from being lost.
bool ReplaceWithRetry(const std::u16string& temporary, const std::u16string& path) {
    constexpr int kAttempts = 4;
    constexpr DWORD kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(Wide(temporary), Wide(path), MOVEFILE_REPLACE_EXISTING)) return true;
        const DWORD error = GetLastError();
        if (!IsReplaceFailureTransient(error, path) || attempt == kAttempts) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}

// Makes the folder that holds `path`, and the folders above it that are
// missing. True when it exists afterwards.
bool MakeFolderOf(const std::u16string& path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    if (separator == std::u16string::npos || separator == 0) return false;
    const std::u16string folder = path.substr(0, separator);
    if (CreateDirectoryW(Wide(folder), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    return GetLastError() == ERROR_PATH_NOT_FOUND && MakeFolderOf(folder) && CreateDirectoryW(Wide(folder), nullptr);
}

}  // namespace

bool IsReplaceFailureTransient(unsigned long error, const std::u16string& target) {
    if (error == ERROR_SHARING_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    // A read-only target refuses every attempt; waiting would only hold up
    // the user's typing on every save of that note.
    const DWORD attributes = GetFileAttributesW(Wide(target));
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool WriteFileAtomic(const std::u16string& path, const Bytes& bytes, FileVersion* writtenVersion) {
    const std::u16string temporary = path + u".tmp";
    // A leftover ".tmp" of an earlier failed attempt is simply overwritten.
    FileVersion version;
    bool written = WriteWholeFile(temporary, bytes, version);
    if (!written && GetLastError() == ERROR_PATH_NOT_FOUND && MakeFolderOf(path)) {
        written = WriteWholeFile(temporary, bytes, version);  // the folder was deleted while the program ran
    }
    if (!written) {
        const DWORD error = GetLastError();
        DeleteFileW(Wide(temporary));
        RecordFailure(u"cannot write", temporary, error);
        SetLastError(error);  // the caller tells the user why, not why the clean-up went
        return false;
    }
    if (ReplaceWithRetry(temporary, path)) {
        if (writtenVersion) *writtenVersion = version;
        return true;
    }
    const DWORD error = GetLastError();
    RecordFailure(u"cannot replace", path, error);
    SetLastError(error);
    return false;
}

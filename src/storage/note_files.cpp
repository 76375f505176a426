#include "storage/note_files.h"

#include <windows.h>

#include <string>

#include "storage/core/lenient_number.h"
#include "storage/core/note_file.h"
#include "storage/core/text_encoding.h"
#include "storage/data_directory.h"
#include "storage/storage_state.h"
#include "storage/text_files.h"
#include "win/failure_log.h"
#include "win/wide.h"

namespace {

constexpr int kOriginalCopyNames = 100;

std::u16string DecodeNoteBytes(const Bytes& bytes) {
    switch (DetectByteOrderMark(bytes)) {
    case ByteOrderMark::Utf16LittleEndian: return DecodeUtf16(std::string_view(bytes).substr(2), false);
    case ByteOrderMark::Utf16BigEndian: return DecodeUtf16(std::string_view(bytes).substr(2), true);
    case ByteOrderMark::Utf8:
    case ByteOrderMark::None: break;
    }
    return DecodeUtf8(bytes);  // drops a UTF-8 mark
}

std::u16string OriginalCopyName(const std::u16string& path, int number) {
    std::u16string name = path + u".original";
    if (number == 1) return name;
    return name + u"-" + DecimalText(number);
}

}  // namespace

std::uint64_t NewNoteId() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return ticks + CurrentStorageState().noteIdsMade++;
}

std::u16string NoteFilePath(std::uint64_t id) {
    return NotesDirectory() + u"\\" + NoteFileName(id);
}

bool DeleteNoteFile(std::uint64_t id) {
    const std::u16string path = NoteFilePath(id);
    if (DeleteFileW(Wide(path)) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    const DWORD error = GetLastError();
    RecordFailure(u"cannot delete", path, error);
    SetLastError(error);
    return false;
}

StoredNoteText NoteTextFromBytes(std::string bytes) {
    StoredNoteText stored;
    stored.bytes = std::move(bytes);
    stored.text = WithVisibleNuls(DecodeNoteBytes(stored.bytes));
    const bool utf8Mark = DetectByteOrderMark(stored.bytes) == ByteOrderMark::Utf8;
    stored.writesBackExactly = EncodeUtf8(stored.text) == std::string_view(stored.bytes).substr(utf8Mark ? 3 : 0);
    return stored;
}

bool ReadStoredNoteText(const std::u16string& path, StoredNoteText& stored) {
    Bytes bytes;
    FileVersion version;
    if (!ReadFileWithVersion(path, bytes, version)) return false;
    stored = NoteTextFromBytes(std::move(bytes));
    stored.version = version;
    return true;
}

// True when a copy of these bytes exists beside the file, made now or before.
bool KeepOriginalBytes(const std::u16string& path, const Bytes& original) {
    for (int number = 1; number <= kOriginalCopyNames; ++number) {
        const std::u16string copy = OriginalCopyName(path, number);
        Bytes existing;
        if (TryReadFileBytes(copy, existing)) {
            if (existing == original) return true;
            continue;
        }
        if (GetFileAttributesW(Wide(copy)) != INVALID_FILE_ATTRIBUTES) continue;  // there, but unreadable
        return WriteFileAtomic(copy, original);
    }
    return false;
}

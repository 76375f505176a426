#include "storage/note_files.h"

#include <windows.h>

#include "storage/data_directory.h"
#include "storage/note_file.h"
#include "win/wide.h"

std::uint64_t NewNoteId() {
    static std::uint64_t counter = 0;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return ticks + counter++;
}

std::u16string NoteFilePath(std::uint64_t id) {
    return NotesDirectory() + u"\\" + NoteFileName(id);
}

void DeleteNoteFile(std::uint64_t id) {
    DeleteFileW(Wide(NoteFilePath(id)));
}

#include "storage/note_bin.h"

#include <windows.h>

#include <algorithm>
#include <tuple>

#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/folder_tree.h"
#include "storage/note_files.h"
#include "win/failure_log.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kMaxCopies = 99;

bool HoldsSomething(const StoredNoteText& stored) {
    NoteFields fields;
    ParseNoteFile(stored.text, fields);
    return !IsBlankText(fields.body) || !fields.entries.empty();
}

bool Move(const std::u16string& from, const std::u16string& to) {
    return MoveFileExW(Wide(from), Wide(to), 0) != 0;
}

// Under the first copy name that is free.
bool MoveIntoBin(const std::u16string& path, std::uint64_t id, const Moment& now) {
    const std::u16string bin = BinDirectory();
    if (!MakeFolderPath(bin)) return false;
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        if (Move(path, bin + u"\\" + BinFileName(BinName{id, now, copy}))) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool Failed(const char16_t* what, const std::u16string& path) {
    const DWORD error = GetLastError();
    RecordFailure(what, path, error);
    SetLastError(error);
    return false;
}

}  // namespace

bool MoveNoteFileToBin(std::uint64_t id, const Moment& now) {
    const std::u16string path = NoteFilePath(id);
    StoredNoteText stored;
    if (!ReadStoredNoteText(path, stored)) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) return true;
        return Failed(u"cannot read a deleted note's file", path);
    }
    if (!HoldsSomething(stored)) return DeleteNoteFile(id);
    if (MoveIntoBin(path, id, now)) return true;
    return Failed(u"cannot move a deleted note's file into the bin", path);
}

std::vector<BinItem> ListBin() {
    std::vector<BinItem> items;
    const std::u16string bin = BinDirectory();
    for (const DataFile& file : FilesUnder(bin)) {
        const std::optional<BinName> name = ParseBinFileName(file.path);
        StoredNoteText stored;
        if (!name || !ReadStoredNoteText(bin + u"\\" + file.path, stored)) continue;
        BinItem item{file.path, *name, {}};
        ParseNoteFile(stored.text, item.fields);
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const BinItem& a, const BinItem& b) {
        return std::tie(b.name.deletedAt, b.name.copy) < std::tie(a.name.deletedAt, a.name.copy);
    });
    return items;
}

bool TakeBackFromBin(const std::u16string& fileName, bool idTaken, std::u16string& noteFileName) {
    const std::optional<BinName> name = ParseBinFileName(fileName);
    if (!name) return false;
    const std::u16string from = BinDirectory() + u"\\" + fileName;
    if (!idTaken) {
        noteFileName = NoteFileName(name->noteId);
        if (Move(from, NotesDirectory() + u"\\" + noteFileName)) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) {
            return Failed(u"cannot take a note back from the bin", from);
        }
    }
    noteFileName = NoteFileName(NewNoteId());  // the note is there again: this one comes back beside it
    if (Move(from, NotesDirectory() + u"\\" + noteFileName)) return true;
    return Failed(u"cannot take a note back from the bin", from);
}

void RemoveExpiredBinFiles(const Moment& now) {
    const std::u16string bin = BinDirectory();
    for (const DataFile& file : FilesUnder(bin)) {
        const std::optional<BinName> name = ParseBinFileName(file.path);
        if (!name || !IsBinFileExpired(name->deletedAt, now)) continue;
        const std::u16string path = bin + u"\\" + file.path;
        if (!DeleteFileW(Wide(path))) RecordFailure(u"cannot remove an expired note from the bin", path, GetLastError());
    }
}

#include "notes/note_restore.h"

#include <set>
#include <vector>

#include "notes/note_creation.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_reach.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/folder_tree.h"
#include "storage/note_bin.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/failure_log.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr int kAsideOffset = 32;  // a restored copy beside the note it was
constexpr std::u16string_view kNotesFolderPrefix = u"notes\\";
constexpr char16_t kCategoriesFile[] = u"categories.txt";

// The note files of a backup, by their name in the notes folder.
std::set<std::u16string> NoteFilesOf(const Backup& backup) {
    std::set<std::u16string> names;
    for (const DataFile& file : backup.files) {
        const std::u16string_view path = file.path;
        if (path.starts_with(kNotesFolderPrefix) && IsCanonicalNoteFileName(path.substr(kNotesFolderPrefix.size()))) {
            names.insert(std::u16string(path.substr(kNotesFolderPrefix.size())));
        }
    }
    return names;
}

void CloseAllNoteWindows() {
    std::vector<HWND> windows;
    ForEachNoteWindow([&windows](HWND window) { windows.push_back(window); });
    for (HWND window : windows) DestroyWindow(window);
}

// Notes the backup does not hold go into the bin: they are in the undo
// backup, and one by one in the bin too.
bool BinNotesNotIn(const std::set<std::u16string>& kept, const Moment& now) {
    bool all = true;
    for (const DataFile& file : FilesUnder(NotesDirectory())) {
        if (!IsCanonicalNoteFileName(file.path) || kept.contains(file.path)) continue;
        all = MoveNoteFileToBin(NoteIdFromFileName(file.path), now) && all;
    }
    return all;
}

bool CopyBack(const Backup& backup, const std::u16string& path) {
    Bytes bytes;
    if (!TryReadFileBytes(backup.folder + u"\\" + path, bytes)) {
        RecordFailure(u"cannot read a backup's file", backup.folder + u"\\" + path, GetLastError());
        return false;
    }
    return WriteFileAtomic(DataFilePath(path), bytes);
}

}  // namespace

bool RestoreFromBin(const std::u16string& binFileName) {
    const std::optional<BinName> name = ParseBinFileName(binFileName);
    if (!name) return false;
    std::u16string noteFileName;
    const bool idTaken = NoteWindowWithId(name->noteId) != nullptr;
    if (!TakeBackFromBin(binFileName, idTaken, noteFileName)) return false;
    return LoadStoredNote(NotesDirectory(), noteFileName) != nullptr;
}

bool RestoreNoteFromBackup(const Backup& backup, const std::u16string& path) {
    StoredNoteText stored;
    const std::u16string_view name = std::u16string_view(path).substr(kNotesFolderPrefix.size());
    if (!std::u16string_view(path).starts_with(kNotesFolderPrefix) || !IsCanonicalNoteFileName(name) ||
        !ReadStoredNoteText(backup.folder + u"\\" + path, stored)) {
        return false;
    }
    NoteCreateParams params;
    ParseNoteFile(stored.text, params);
    params.id = NewNoteId();
    params.dock = kDockNone;
    if (NoteWindowWithId(NoteIdFromFileName(name))) {
        params.x += kAsideOffset;
        params.y += kAsideOffset;
    }
    HWND note = CreateNoteWindow(params);
    if (!note) return false;
    ShowWindow(note, SW_SHOWNA);
    BringNoteIntoReach(note);
    SaveNote(note);
    return !NoteSaveFailed(note);
}

WholeRestore RestoreWholeBackup(const Backup& backup, const Moment& now) {
    SaveAllNotes();
    if (!MakeBackupNow(BackupName{now, true})) return WholeRestore::UndoNotSaved;
    CloseAllNoteWindows();  // all saved: nothing on the screen is lost
    const std::set<std::u16string> kept = NoteFilesOf(backup);
    bool complete = BinNotesNotIn(kept, now);
    for (const std::u16string& name : kept) {
        complete = CopyBack(backup, std::u16string(kNotesFolderPrefix) + name) && complete;
    }
    for (const DataFile& file : backup.files) {
        if (file.path == kCategoriesFile) complete = CopyBack(backup, file.path) && complete;
    }
    ReloadNotesFromDataFolder(ModuleInstance());
    return complete ? WholeRestore::Done : WholeRestore::Incomplete;
}

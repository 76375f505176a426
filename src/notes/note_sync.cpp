#include "notes/note_sync.h"

#include <map>
#include <string>
#include <vector>

#include "notes/core/note_layout.h"
#include "notes/docking.h"
#include "notes/note_creation.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_reach.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "notes/notes_state.h"
#include "storage/category_storage.h"
#include "storage/core/clash_copies.h"
#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"
#include "win/failure_log.h"
#include "win/handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr int kClashNoteGap = 8;  // between a note and its clash note beside it

// What a note holds now, as a note window is made from it (a new id).
NoteCreateParams CurrentNoteParams(HWND noteWindow, const Note& note) {
    NoteCreateParams params;
    static_cast<NoteProperties&>(params) = note;
    const Rect floating = note.dock != kDockNone ? note.undockedRect : WindowRectOf(noteWindow);
    params.x = floating.left;
    params.y = floating.top;
    params.width = floating.Width();
    params.height = floating.Height();
    params.dock = kDockNone;
    if (HWND edit = NoteEditOf(noteWindow)) params.body = WindowText(edit);
    params.id = NewNoteId();
    return params;
}

// This machine's version of a note whose file changed outside: a new note
// beside it (right of it, or left when there is no room), marked as a clash.
void MakeClashNote(HWND noteWindow, const Note& note) {
    NoteCreateParams params = CurrentNoteParams(noteWindow, note);
    params.clash = true;
    const Rect work = WorkAreaNearWindow(noteWindow);
    const int right = params.x + params.width + kClashNoteGap;
    params.x = right + params.width <= work.right ? right : params.x - params.width - kClashNoteGap;
    HWND clash = CreateNoteWindow(params);
    if (!clash) {
        RecordFailure(u"cannot make the clash note of", NoteFilePath(note.id), GetLastError());
        return;
    }
    ShowWindow(clash, SW_SHOWNA);
    SaveNote(clash);
}

// Shows a version of the note's file in the note window, in place: nothing
// of it is saved, as it is what the file holds.
void ShowStoredVersion(HWND noteWindow, NoteWindowState& state, StoredNoteText stored) {
    NoteFields fields;
    ParseNoteFile(stored.text, fields);
    Note& note = state.note;
    static_cast<NoteProperties&>(note) = fields;
    SortEntries(note.entries);
    SetNoteBackground(noteWindow, fields.colour);
    ApplyMinimumSize(fields.width, fields.height);
    const Rect floating{fields.x, fields.y, fields.x + fields.width, fields.y + fields.height};
    note.dock = fields.dock;
    state.redockEdge = kDockNone;  // the file's placement, not the moment's
    if (note.dock != kDockNone) {
        note.undockedRect = floating;
        ApplyDockGeometry(noteWindow, note.dock);
    } else {
        MoveWindow(noteWindow, floating.left, floating.top, floating.Width(), floating.Height(), TRUE);
    }
    SetWindowPos(noteWindow, note.pinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    HWND edit = NoteEditOf(noteWindow);
    SetWindowTextW(edit, Wide(fields.body));
    ShowWindow(edit, note.type == kNoteRegular && note.dock == kDockNone ? SW_SHOW : SW_HIDE);
    state.fileVersion = stored.version;
    state.fileBytes = std::move(stored.bytes);
    RepaintNote(noteWindow);
}

// The note was removed outside. Without changes of its own its window goes;
// with them, it is kept under a file of its own.
void OnFileRemoved(HWND noteWindow, NoteWindowState& state, bool ownChanges) {
    if (!ownChanges) {
        state.note.deleted = true;  // nothing may bring the file back
        PostMessageW(noteWindow, WM_CLOSE, 0, 0);
        return;
    }
    state.note.id = NewNoteId();
    ForgetFile(state);
    SaveNote(noteWindow);
}

bool IsFolder(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileVersion VersionOfFound(const WIN32_FIND_DATAW& found) {
    const auto combine = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileVersion{true, combine(found.nFileSizeHigh, found.nFileSizeLow),
                       combine(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime)};
}

// The files of a folder that match the pattern, with their versions.
std::map<std::u16string, FileVersion> ListFolder(const std::u16string& folder, const wchar_t* pattern) {
    std::map<std::u16string, FileVersion> files;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((std::wstring(Wide(folder)) + L"\\" + pattern).c_str(), &found));
    if (!search) return files;
    do {
        if (!IsFolder(found)) files.emplace(FromWide(found.cFileName), VersionOfFound(found));
    } while (FindNextFileW(search.Get(), &found));
    return files;
}

// A sync service's clash copy: a note of its own, under a name of its own,
// marked as a clash; then the copy goes, so that it does not come back on
// the other machine either.
void BringInClashCopy(const std::u16string& folder, const std::u16string& fileName) {
    const std::u16string path = folder + u"\\" + fileName;
    StoredNoteText stored;
    if (!ReadStoredNoteText(path, stored)) return;  // tried again at the next look
    NoteCreateParams params;
    ParseNoteFile(stored.text, params);
    params.id = NewNoteId();
    params.clash = true;
    params.x += kClashNoteGap * 4;  // not exactly over the note it clashed with
    params.y += kClashNoteGap * 4;
    HWND note = CreateNoteWindow(params);
    if (!note) return;
    ShowWindow(note, SW_SHOWNA);
    BringNoteIntoReach(note);
    SaveNote(note);
    if (NoteSaveFailed(note)) return;  // the copy stays until the note has a file of its own
    if (!DeleteFileW(Wide(path))) RecordFailure(u"cannot remove a clash copy brought in", path, GetLastError());
}

void ScanNotesFolder() {
    const std::u16string folder = NotesDirectory();
    const std::map<std::u16string, FileVersion> files = ListFolder(folder, L"note_*");
    std::map<std::uint64_t, HWND> windows;
    ForEachNoteWindow([&windows](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (!note->deleted) windows.emplace(note->id, window);
    });
    for (const auto& [name, version] : files) {
        if (IsCanonicalNoteFileName(name)) {
            const auto window = windows.find(NoteIdFromFileName(name));
            if (window == windows.end()) {
                LoadStoredNote(folder, name);  // made elsewhere
            } else if (NoteWindowStateOf(window->second)->fileVersion != version) {
                ReconcileNoteWithFile(window->second);
            }
        } else if (NoteClashCopyId(name)) {
            BringInClashCopy(folder, name);
        }
    }
    for (const auto& [id, window] : windows) {
        const NoteWindowState* state = NoteWindowStateOf(window);
        if (state->fileVersion.exists && !files.contains(NoteFileName(id))) ReconcileNoteWithFile(window);
    }
}

void ScanCategories() {
    bool changed = CatchUpWithOutsideCategories();
    for (const auto& [name, version] : ListFolder(DataDirectory(), L"categories*")) {
        if (IsCategoriesClashCopy(name)) changed = MergeCategoriesClashCopy(name) || changed;
    }
    if (!changed) return;
    ApplyFilingMoves(TakeFilingMoves());
    RefreshNotesAfterCategoryChange();
    RepaintAllNotes();  // titles show the categories' names
}

UniqueChangeNotification WatchFolder(const std::u16string& folder) {
    return UniqueChangeNotification(FindFirstChangeNotificationW(
        Wide(folder), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
}

}  // namespace

void ReconcileNoteWithFile(HWND noteWindow) {
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state || state->note.deleted) return;
    const std::optional<std::string> current = NoteFileBytes(noteWindow);
    if (!current) return;  // without its edit, nothing is known of the note
    const std::u16string path = NoteFilePath(state->note.id);
    const bool ownChanges = *current != state->fileBytes;
    StoredNoteText stored;
    if (!ReadStoredNoteText(path, stored)) {
        if (FileVersionOf(path).exists) return;  // there but held: looked at again later
        if (state->fileVersion.exists) return OnFileRemoved(noteWindow, *state, ownChanges);
        ForgetFile(*state);
        return SaveNote(noteWindow);
    }
    if (stored.bytes == state->fileBytes) {
        // Touched but the same (a sync service rewrote it): only the version
        // is new, and changes of its own are saved over it as usual.
        state->fileVersion = stored.version;
        if (ownChanges) SaveNote(noteWindow);
        return;
    }
    if (ownChanges) MakeClashNote(noteWindow, state->note);
    ShowStoredVersion(noteWindow, *state, std::move(stored));
}

void ScanDataFolder() {
    if (ModalDialogActive()) return;
    ScanCategories();
    ScanNotesFolder();
}

void StartWatchingDataFolder() {
    NotesState& notes = CurrentNotesState();
    notes.notesFolderWatch = WatchFolder(NotesDirectory());
    notes.dataFolderWatch = WatchFolder(DataDirectory());
}

void ResolveClash(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note || !note->clash) return;
    note->clash = false;
    RepaintNote(noteWindow);
    SaveNote(noteWindow);
}

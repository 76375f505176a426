#include "notes/note_loading.h"


#include <limits>
#include <vector>

#include "i18n/core/translation.h"
#include "notes/core/note_layout.h"
#include "notes/docking.h"
#include "notes/note_creation.h"
#include "notes/note_passes.h"
#include "notes/note_reach.h"
#include "notes/note_save.h"
#include "notes/note_window.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/failure_log.h"
#include "win/gdiplus_session.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

// A file can hold any 32-bit position; one so far out that its right or
// bottom edge would not fit in 32 bits is pulled back by the overflow, so
// that the note keeps its size and its rectangle stays representable (an
// undocked note far off the screen is then brought back as any other).
std::int32_t StartThatFits(std::int32_t start, std::int32_t length) {
    const std::int32_t last = std::numeric_limits<std::int32_t>::max() - length;
    return start > last ? last : start;
}

// The parsed file as the window is made from it: at least the minimum size,
// and a note stored docked without a last edge remembers its current one.
void PrepareForCreation(NoteCreateParams& params) {
    ApplyMinimumSize(params.width, params.height);
    params.x = StartThatFits(params.x, params.width);
    params.y = StartThatFits(params.y, params.height);
    if (params.lastDock == kDockNone) params.lastDock = params.dock;
}

// Docks a note stored docked, or raises a pinned one; a floating note stored
// off every monitor is brought into reach. The window is hidden.
void RestoreStoredPlacement(HWND window, const NoteCreateParams& params) {
    Note* note = NoteFromWindow(window);
    if (note && params.dock != kDockNone) {
        note->dock = params.dock;
        note->undockedRect = Rect{params.x, params.y, params.x + params.width, params.y + params.height};
        ApplyDockGeometry(window, params.dock);
        return;
    }
    if (params.pinned) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    BringNoteIntoReach(window);
}

// Files the program did not name, and files it cannot read, are left alone:
// loading them would let a later save overwrite or delete them (an unread
// file would show as an empty note, and an empty note loses its file). A file
// whose text the note cannot write back byte for byte is first copied aside;
// when even that fails, it too is left alone.
bool ReadStoredNote(const std::u16string& folder, const std::u16string& fileName, NoteCreateParams& params) {
    if (!IsCanonicalNoteFileName(fileName)) return false;
    const std::u16string path = folder + u"\\" + fileName;
    StoredNoteText stored;
    if (!ReadStoredNoteText(path, stored)) {
        RecordFailure(u"note file left alone, cannot be read", path, GetLastError());
        return false;
    }
    if (!stored.writesBackExactly && !KeepOriginalBytes(path, stored.bytes)) {
        RecordFailure(u"note file left alone, its bytes cannot be kept aside", path, GetLastError());
        return false;
    }
    params.id = NoteIdFromFileName(fileName);
    ParseNoteFile(stored.text, params);
    params.fileVersion = stored.version;
    params.fileBytes = std::move(stored.bytes);
    return true;
}

}  // namespace

HWND LoadStoredNote(const std::u16string& folder, const std::u16string& fileName) {
    NoteCreateParams params;  // the load defaults
    if (!ReadStoredNote(folder, fileName, params)) return nullptr;
    PrepareForCreation(params);
    HWND window = CreateNoteWindow(params);
    if (!window) return nullptr;  // its file stays on disk for the next start
    RestoreStoredPlacement(window, params);
    ShowWindow(window, SW_SHOWNA);
    return window;
}

bool LoadAllNotes(HINSTANCE instance) {
    RegisterNoteWindowClass(instance);
    const std::u16string folder = NotesDirectory();
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW(Wide(folder + u"\\note_*.txt"), &found));
    if (!search) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) LoadStoredNote(folder, FromWide(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    return true;
}

void ReloadNotesFromDataFolder(HINSTANCE instance) {
    std::vector<HWND> windows;
    ForEachNoteWindow([&windows](HWND window) { windows.push_back(window); });
    for (HWND window : windows) DestroyWindow(window);
    const bool categoriesRead = LoadCategories() != CategoriesFileState::Unreadable;
    if (LoadAllNotes(instance) && categoriesRead) RefreshNotesAfterCategoryChange();
}

#include "storage/note_collection.h"

#include <commctrl.h>

#include <limits>

#include "categories/category_passes.h"
#include "i18n/translation.h"
#include "notes/docking.h"
#include "notes/note_layout.h"
#include "notes/note_window.h"
#include "storage/data_directory.h"
#include "storage/note_file.h"
#include "storage/note_files.h"
#include "storage/note_save.h"
#include "storage/text_files.h"
#include "win/gdiplus_session.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kClassNameLength = 64;

// A stored note as it will be created: its parameters and the parsed fields
// they point into.
struct StoredNote {
    NoteFields fields;
    std::uint64_t id = 0;
};

// A file can hold any 32-bit position; one so far out that its right or
// bottom edge would not fit in 32 bits is pulled back by the overflow, so
// that the note keeps its size and its rectangle stays representable (an
// undocked note far off the screen is then brought back as any other).
std::int32_t StartThatFits(std::int32_t start, std::int32_t length) {
    const std::int32_t last = std::numeric_limits<std::int32_t>::max() - length;
    return start > last ? last : start;
}

NoteCreateParams CreateParamsFor(const StoredNote& stored) {
    const NoteFields& fields = stored.fields;
    NoteCreateParams params;
    params.id = stored.id;
    params.x = fields.x;
    params.y = fields.y;
    params.width = fields.width;
    params.height = fields.height;
    ApplyMinimumSize(params.width, params.height);
    params.x = StartThatFits(params.x, params.width);
    params.y = StartThatFits(params.y, params.height);
    params.colour = fields.colour;
    params.categoryId = fields.categoryId;
    params.subcategoryId = fields.subcategoryId;
    params.pinned = fields.pinned;
    params.dock = fields.dock;
    params.type = fields.type;
    params.lastDock = fields.lastDock != kDockNone ? fields.lastDock : fields.dock;
    params.entries = &fields.entries;
    params.text = fields.body.c_str();
    return params;
}

// Docks a note stored docked, or raises a pinned one; the window is hidden.
void RestoreStoredPlacement(HWND window, const NoteCreateParams& params) {
    Note* note = NoteFromWindow(window);
    if (note && params.dock != kDockNone) {
        note->dock = params.dock;
        note->undockedRect = Rect{params.x, params.y, params.x + params.width, params.y + params.height};
        ApplyDockGeometry(window, params.dock);
    } else if (params.pinned != 0) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
}

// Files the program did not name, and files it cannot read, are left alone:
// loading them would let a later save overwrite or delete them (an unread
// file would show as an empty note, and an empty note loses its file).
bool ReadStoredNote(const std::u16string& folder, const std::u16string& fileName, StoredNote& stored) {
    if (!IsCanonicalNoteFileName(fileName)) return false;
    Bytes bytes;
    if (!TryReadFileBytes(folder + u"\\" + fileName, bytes)) return false;
    stored.id = NoteIdFromFileName(fileName);
    stored.fields = DefaultNoteFields();
    ParseNoteFile(DecodeUtf8(bytes), stored.fields);
    return true;
}

void LoadStoredNote(const std::u16string& folder, const std::u16string& fileName) {
    StoredNote stored;
    if (!ReadStoredNote(folder, fileName, stored)) return;
    const NoteCreateParams params = CreateParamsFor(stored);
    HWND window = CreateNoteWindow(params);
    if (!window) return;  // its file stays on disk for the next start
    RestoreStoredPlacement(window, params);
    ShowWindow(window, SW_SHOWNA);
}

BOOL CALLBACK VisitNoteWindow(HWND window, LPARAM parameter) {
    if (IsNoteWindow(window) && NoteFromWindow(window)) {
        (*reinterpret_cast<const std::function<void(HWND)>*>(parameter))(window);
    }
    return TRUE;
}

void RemoveNote(HWND noteWindow, Note* note) {
    if (note) {
        note->deleted = true;  // before anything else: no save may bring the file back
        DeleteNoteFile(note->id);
    }
    DestroyWindow(noteWindow);
}

}  // namespace

void RegisterNoteWindowClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    registered = true;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    EnsureGdiplusStarted();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = NoteWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kNoteWindowClass;
    RegisterClassExW(&windowClass);
}

void LoadAllNotes(HINSTANCE instance) {
    RegisterNoteWindowClass(instance);
    const std::u16string folder = NotesDirectory();
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW(Wide(folder + u"\\note_*.txt"), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) LoadStoredNote(folder, FromWide(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    search.Reset();
    RefreshNotesAfterCategoryChange();
}

void DeleteNote(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (IsNoteBlank(noteWindow) && (!note || note->entries.empty())) {
        RemoveNote(noteWindow, note);
        return;
    }
    const int answer = MessageBoxW(noteWindow, Wide(Translate(u"Supprimer cette note ?")), L"Quillboard",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
    RemoveNote(noteWindow, NoteFromWindow(noteWindow));
}

void DiscardNoteIfBlank(HWND noteWindow) {
    Note* note = NoteFromWindow(noteWindow);
    if (!note) return;
    if (IsNoteBlank(noteWindow) && note->entries.empty() && note->dock == kDockNone) RemoveNote(noteWindow, note);
}

bool IsNoteWindow(HWND window) {
    wchar_t name[kClassNameLength] = {};
    GetClassNameW(window, name, kClassNameLength);
    return lstrcmpW(name, kNoteWindowClass) == 0;
}

void ForEachNoteWindow(const std::function<void(HWND)>& visit) {
    EnumWindows(VisitNoteWindow, reinterpret_cast<LPARAM>(&visit));
}

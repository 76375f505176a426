#include "notes/note_window.h"

#include "app/app_state.h"
#include "categories/category_storage.h"
#include "notes/note_layout.h"
#include "storage/note_collection.h"
#include "storage/note_files.h"
#include "win/geometry.h"

namespace {

// Where the next new note goes among the 8 cascade places.
std::int32_t cascadeCounter = 0;

Point NextCascadePosition() {
    const Point position = CascadePosition(cascadeCounter);
    cascadeCounter = NextCascadeCounter(cascadeCounter);
    return position;
}

NoteCreateParams NewNoteParams(Point position) {
    NoteCreateParams params;
    params.id = NewNoteId();
    params.x = position.x;
    params.y = position.y;
    params.width = kNewNoteWidth;
    params.height = kNewNoteHeight;
    return params;
}

struct NoteMatch {
    std::int32_t categoryId;
    std::int32_t subcategoryId;
    std::int32_t type;
    HWND found = nullptr;
};

}  // namespace

HWND CreateNoteWindow(const NoteCreateParams& params) {
    HINSTANCE instance = ModuleInstance();
    RegisterNoteWindowClass(instance);
    return CreateWindowExW(WS_EX_TOOLWINDOW, kNoteWindowClass, L"Note", WS_POPUP, params.x, params.y, params.width,
                           params.height, nullptr, nullptr, instance, const_cast<NoteCreateParams*>(&params));
}

HWND CreateNewNote(HWND sourceNote) {
    const Note* source = NoteFromWindow(sourceNote);
    // A note made from a pinned note goes right below it; others cascade.
    const Point position = source && source->pinned ? BelowPinnedPosition(WindowRectOf(sourceNote))
                                                     : NextCascadePosition();
    HWND window = CreateNoteWindow(NewNoteParams(position));
    if (!window) return nullptr;
    // Not saved yet: its first save trigger writes it, unless it is still blank.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}

HWND FindOrCreateNote(std::int32_t categoryId, std::int32_t subcategoryId, std::int32_t type) {
    NoteMatch match{categoryId, subcategoryId, type};
    ForEachNoteWindow([&match](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (!match.found && note->categoryId == match.categoryId && note->subcategoryId == match.subcategoryId &&
            note->type == match.type) {
            match.found = window;
        }
    });
    if (match.found) return match.found;

    NoteCreateParams params = NewNoteParams(NextCascadePosition());
    if (categoryId != 0) {
        if (const Category* category = FindCategory(Categories(), categoryId)) params.colour = category->colour;
    }
    params.categoryId = categoryId;
    params.subcategoryId = subcategoryId;
    params.type = type;
    HWND window = CreateNoteWindow(params);
    if (window) ShowWindow(window, SW_SHOWNA);
    return window;
}

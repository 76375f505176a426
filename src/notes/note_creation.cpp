#include "notes/note_creation.h"

#include "notes/core/note_layout.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "notes/notes_state.h"
#include "storage/category_storage.h"
#include "storage/core/text_lines.h"
#include "storage/note_files.h"
#include "ui/screen_geometry.h"
#include "win/process_handles.h"

namespace {

// Where each note's floating top-left corner is (a docked note's, where it
// comes back to).
std::vector<Point> NoteCorners() {
    std::vector<Point> corners;
    ForEachNoteWindow([&corners](HWND window) {
        const Note* note = NoteFromWindow(window);
        const Rect rect = note->dock != kDockNone ? note->undockedRect : WindowRectOf(window);
        corners.push_back({rect.left, rect.top});
    });
    return corners;
}

Point NextCascadePosition() {
    // The cascade starts at a fixed place on the screen; its work area says
    // how far further rounds may go.
    const Rect first{kCascadeBase, kCascadeBase, kCascadeBase + kNewNoteWidth, kCascadeBase + kNewNoteHeight};
    std::int32_t& counter = CurrentNotesState().cascadeCounter;
    const CascadeChoice choice = FreeCascadePlace(counter, NoteCorners(), WorkAreaNearRect(first));
    counter = choice.nextCounter;
    return choice.position;
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
    NoteType type;
    HWND found = nullptr;
};

}  // namespace

HWND CreateNoteWindow(const NoteCreateParams& params) {
    return CreateWindowExW(WS_EX_TOOLWINDOW, kNoteWindowClass, L"Note", WS_POPUP, params.x, params.y, params.width,
                           params.height, nullptr, nullptr, ModuleInstance(), const_cast<NoteCreateParams*>(&params));
}

HWND CreateNewNote(HWND sourceNote) {
    const Note* source = NoteFromWindow(sourceNote);
    // A note made from a pinned note goes right next to it, where the user
    // can see it; others cascade.
    const Point position = source && source->pinned
                               ? NearPinnedPosition(WindowRectOf(sourceNote), WorkAreaNearWindow(sourceNote))
                               : NextCascadePosition();
    HWND window = CreateNoteWindow(NewNoteParams(position));
    if (!window) return nullptr;
    // Not saved yet: its first save trigger writes it, unless it is still blank.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}

HWND CreateNoteWithText(const std::u16string& text, std::int32_t categoryId, std::int32_t subcategoryId) {
    NoteCreateParams params = NewNoteParams(NextCascadePosition());
    params.body = WithCrLfLineBreaks(text);
    if (const Category* category = FindCategory(Categories(), categoryId)) {
        params.categoryId = categoryId;
        params.colour = category->colour;
        if (FindSubcategory(Categories(), categoryId, subcategoryId)) params.subcategoryId = subcategoryId;
    }
    HWND window = CreateNoteWindow(params);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SaveNote(window);
    return window;
}

HWND FindOrCreateNote(std::int32_t categoryId, std::int32_t subcategoryId, NoteType type) {
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

#include "notes/note_window_state.h"

namespace {

constexpr int kClassNameLength = 64;

BOOL CALLBACK VisitNoteWindow(HWND window, LPARAM parameter) {
    if (NoteFromWindow(window)) (*reinterpret_cast<const std::function<void(HWND)>*>(parameter))(window);
    return TRUE;
}

// Another copy of the program has note windows of the same class, listed by
// EnumWindows too; their user data is a pointer in that other process.
bool IsOwnWindow(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId == GetCurrentProcessId();
}

}  // namespace

bool IsNoteWindow(HWND window) {
    wchar_t name[kClassNameLength] = {};
    GetClassNameW(window, name, kClassNameLength);
    return lstrcmpW(name, kNoteWindowClass) == 0;
}

NoteWindowState* NoteWindowStateOf(HWND window) {
    if (!window || !IsNoteWindow(window) || !IsOwnWindow(window)) return nullptr;
    return reinterpret_cast<NoteWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Note* NoteFromWindow(HWND window) {
    NoteWindowState* state = NoteWindowStateOf(window);
    return state ? &state->note : nullptr;
}

ColourRef NoteColourOf(HWND window) {
    const Note* note = NoteFromWindow(window);
    return note ? note->colour : kDefaultNoteColour;
}

HWND NoteEditOf(HWND noteWindow) {
    return GetDlgItem(noteWindow, kNoteEditId);
}

HBRUSH NoteBackgroundBrush(HWND noteWindow) {
    const NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (state && state->backgroundBrush) return state->backgroundBrush.Get();
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void SetNoteBackground(HWND noteWindow, ColourRef colour) {
    NoteWindowState* state = NoteWindowStateOf(noteWindow);
    if (!state) return;
    state->note.colour = colour;
    state->backgroundBrush.Reset(CreateSolidBrush(colour));
}

void RepaintNote(HWND noteWindow) {
    InvalidateRect(noteWindow, nullptr, TRUE);
    InvalidateRect(NoteEditOf(noteWindow), nullptr, TRUE);
}

void ForEachNoteWindow(const std::function<void(HWND)>& visit) {
    EnumWindows(VisitNoteWindow, reinterpret_cast<LPARAM>(&visit));
}

HWND NoteWindowWithId(std::uint64_t id) {
    HWND found = nullptr;
    ForEachNoteWindow([&found, id](HWND window) {
        const Note* note = NoteFromWindow(window);
        if (!found && !note->deleted && note->id == id) found = window;
    });
    return found;
}

#include "search/found_note.h"

#include <windows.h>

#include <algorithm>

#include "notes/docking.h"
#include "notes/note_window_state.h"
#include "search/note_index.h"

namespace {

void SelectInEdit(HWND edit, const TextRange& match) {
    // The text may have changed since it was searched: stay inside it.
    const auto length = static_cast<std::size_t>(std::max(GetWindowTextLengthW(edit), 0));
    const std::size_t end = std::min(match.end, length);
    const std::size_t start = std::min(match.start, end);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, start, end);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

}  // namespace

bool ShowFoundNote(std::uint64_t id, const std::optional<TextRange>& match) {
    HWND window = NoteWindowWithId(id);
    if (!window) return false;
    if (NoteFromWindow(window)->dock != kDockNone) UndockForAMoment(window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    HWND edit = NoteEditOf(window);
    if (match && edit && IsWindowVisible(edit)) SelectInEdit(edit, *match);
    return true;
}

#include "settings/note_shortcut_filter.h"

bool NoteShortcutFilter(const MSG&) {
    return false;
}

#include "support/note_file_text.h"

namespace {

std::string Line(const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
}

std::string Line(const char* key, int value) {
    return Line(key, std::to_string(value));
}

}  // namespace

std::string NoteFileText(const NoteFileLines& note) {
    std::string text = Line("X", note.x) + Line("Y", note.y) + Line("W", note.width) + Line("H", note.height) +
                       Line("COLOR", "#" + note.colour) + Line("CAT", note.category) +
                       Line("SUBCAT", note.subcategory) + Line("PIN", note.pinned) + Line("DOCK", note.dock) +
                       Line("LASTDOCK", note.lastDock) + Line("TYPE", note.type);
    for (const std::string& entry : note.entries) text += "ENTRY|" + entry + "\r\n";
    return text + "---\r\n" + note.body;
}

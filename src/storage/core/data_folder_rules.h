// The rules of the folder the notes live in: how the pointer file that names
// a chosen folder is read, and which files belong to the notes (they go with
// them when the folder changes) rather than to the machine.
#pragma once

#include <string>
#include <string_view>

// The pointer file, in the machine's own folder: the full path of the folder
// the user chose for the notes, UTF-8 without a byte-order mark.
constexpr char16_t kDataFolderPointerFile[] = u"dossier.txt";

// The folder the pointer's text names: its first line without the blanks
// around it, and without separators at its end (but for a drive's root,
// "D:\"). Empty when the text names nothing.
std::u16string FolderFromPointerText(std::u16string_view text);

// The path without separators at its end, but for a drive's root ("D:\\").
std::u16string WithoutEndSeparators(std::u16string_view path);

// True for a full path, "D:\..." or "\\server\share...": the only kind a
// pointer may hold, as a relative one would depend on the working folder.
bool IsFullFolderPath(std::u16string_view path);

// Whether a file of the data folder, named by its path inside it
// ("categories.txt", "notes\note_....txt", "lang\lang_de.txt"), goes with the
// notes to a new folder: the categories file and every file of the "notes",
// "lang" and "corbeille" folders (notes, the copies kept of their original
// bytes, the translations, the deleted notes), but no leftover ".tmp" of an interrupted save. The machine's
// own files (the pointer, the language chosen, the shortcuts, the sound)
// stay: they describe this machine, not the notes.
bool BelongsWithTheNotes(std::u16string_view relativePath);

// The folders inside the data folder whose files BelongsWithTheNotes may take.
constexpr std::u16string_view kFoldersOfTheNotes[] = {u"notes", u"lang", u"corbeille"};

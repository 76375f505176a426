#include "app/notes_export.h"

#include <windows.h>

#include <vector>

#include "app/command_line_message.h"
#include "app/core/markdown_export.h"
#include "app/exit_codes.h"
#include "i18n/core/translation.h"
#include "storage/category_storage.h"
#include "storage/core/note_file.h"
#include "storage/data_directory.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr DWORD kFullPathCapacity = 32768;

void Tell(const char16_t* problem, const std::u16string& detail) {
    std::u16string text = Translate(problem);
    text += u'\n';
    text += detail;
    TellCommandLineUser(text);
}

// Relative to the folder the command was run from, as a script means it.
std::u16string FullPath(const std::u16string& file) {
    std::u16string full(kFullPathCapacity, u'\0');
    const DWORD length = GetFullPathNameW(Wide(file), kFullPathCapacity, WideBuffer(full), nullptr);
    if (length == 0 || length >= kFullPathCapacity) return {};
    full.resize(length);
    return full;
}

bool IsInside(const std::u16string& path, const std::u16string& folder) {
    const std::u16string prefix = folder + u"\\";
    if (path.size() < prefix.size()) return false;
    return CompareStringOrdinal(Wide(path), static_cast<int>(prefix.size()), Wide(prefix),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Every note file the program named, as its note shows it. A file that
// cannot be read (another program holds it) is left out and counted;
// nothing is copied aside or changed.
std::vector<ExportedNote> ReadAllNotes(int& unreadable) {
    std::vector<ExportedNote> notes;
    const std::u16string folder = NotesDirectory();
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(Wide(folder + u"\\*"), &found));
    if (!search) return notes;
    do {
        const std::u16string name = FromWide(found.cFileName);
        if (!IsCanonicalNoteFileName(name)) continue;
        StoredNoteText stored;
        if (!ReadStoredNoteText(folder + u"\\" + name, stored)) {
            ++unreadable;
            continue;
        }
        NoteFields fields;
        ParseNoteFile(stored.text, fields);
        notes.push_back(ExportedNote{NoteIdFromFileName(name), fields, fields.body});
    } while (FindNextFileW(search.Get(), &found));
    return notes;
}

}  // namespace

int ExportNotes(const std::u16string& file, const StartFolder& dataFolder) {
    if (dataFolder.state == StartFolderState::Missing || dataFolder.state == StartFolderState::PointerUnreadable) {
        Tell(u"Le dossier des notes est introuvable ou ne peut pas être lu :", dataFolder.folder);
        return kCommandFailed;
    }
    const std::u16string path = FullPath(file);
    if (path.empty() || IsFolder(path)) {
        Tell(u"Ce nom ne convient pas pour le fichier à écrire :", file);
        return kCommandBadArguments;
    }
    if (IsInside(path, DataDirectory()) || IsInside(path, MachineDirectory())) {
        Tell(u"Le fichier à écrire ne peut pas être dans le dossier des notes :", path);
        return kCommandBadArguments;
    }
    if (LoadCategories() == CategoriesFileState::Unreadable) {
        Tell(u"Le fichier des catégories ne peut pas être lu :", DataDirectory());
        return kCommandFailed;
    }
    int unreadable = 0;
    const std::vector<ExportedNote> notes = ReadAllNotes(unreadable);
    if (!WriteFileAtomic(path, EncodeUtf8(NotesAsMarkdown(notes, Categories())))) {
        Tell(u"Le fichier ne peut pas être écrit :", path);
        return kCommandFailed;
    }
    if (unreadable == 0) return kCommandDone;
    // Written all the same: the other notes are there, and the user knows.
    Tell(u"Des notes n'ont pas pu être lues et manquent dans le fichier :", NotesDirectory());
    return kCommandFailed;
}

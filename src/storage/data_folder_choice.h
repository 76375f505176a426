// The user's choice of a folder for the notes, kept in the pointer file
// (kDataFolderPointerFile) of the machine's own folder, which the program
// always finds. Without it the notes stay in the machine's folder.
#pragma once

#include <string>

enum class StartFolderState {
    Default,            // no pointer: the notes are in the machine's folder
    Chosen,             // the pointer names a folder that is there
    Missing,            // the pointer names a folder that is not there, or cannot be listed
    PointerUnreadable,  // the pointer exists but cannot be read
};

struct StartFolder {
    StartFolderState state = StartFolderState::Default;
    std::u16string folder;  // as the pointer names it (Chosen, Missing)
};

// Reads the pointer once, at start, and makes the folder it names the data
// folder of the run, even when that folder is missing: nothing may then be
// written to the machine's folder in its place, which would split the notes
// in two. Writes nothing.
StartFolder ReadDataFolderChoice();

// True when the folder exists and its content can be listed.
bool IsFolderReachable(const std::u16string& folder);

// Records `folder` as the data folder for the next starts: writes the
// pointer, or removes it when the folder is the machine's own. True when
// that reached the disk; GetLastError() tells why not.
[[nodiscard]] bool SaveDataFolderChoice(const std::u16string& folder);

// Makes `folder` the data folder for the rest of the run: every later path
// request, and so every save, goes there.
void UseDataFolder(const std::u16string& folder);

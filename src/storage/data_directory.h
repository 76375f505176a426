// Where every file of the program lives: one folder under the user's roaming
// application data. Asking for a path changes nothing on the disk; the
// folders are made at start-up, and again by a save that finds one gone.
#pragma once

#include <string>

// APPDATA + "\Quillboard" (or ".\Quillboard" when APPDATA is unset or too long).
std::u16string DataDirectory();

// DataDirectory() + "\" + name.
std::u16string DataFilePath(const std::u16string& name);

// DataDirectory() + "\notes".
std::u16string NotesDirectory();

// Makes the data folder and its "notes" and "lang" folders where they are
// missing (at start-up, once this copy is the one that runs).
void EnsureDataFolders();

// Where every file of the program lives. The machine's own folder is always
// %APPDATA%\Quillboard: it holds what belongs to this machine (the pointer to
// a chosen folder, the language chosen, the shortcuts, the sound). The notes
// live in the data folder: the same folder, or the one the user chose (a
// folder a sync service shares between machines). Asking for a path changes
// nothing on the disk; the folders are made at start-up, and again by a save
// that finds one gone.
#pragma once

#include <string>

// APPDATA + "\Quillboard" (or ".\Quillboard" when APPDATA is unset or too long).
std::u16string MachineDirectory();

// MachineDirectory() + "\" + name.
std::u16string MachineFilePath(const std::u16string& name);

// The folder of the notes: the one the program's state holds (read from the
// pointer file at start), else MachineDirectory().
std::u16string DataDirectory();

// DataDirectory() + "\" + name.
std::u16string DataFilePath(const std::u16string& name);

// DataDirectory() + "\notes".
std::u16string NotesDirectory();

// DataDirectory() + "\corbeille": the deleted notes, which travel with the
// notes when their folder is synced.
std::u16string BinDirectory();

// %LOCALAPPDATA%\Quillboard\sauvegardes, whatever folder the notes live in:
// the machine's own, never synced, so that a sync service that empties the
// notes' folder cannot empty the backups too. Empty when LOCALAPPDATA is
// unset or too long: there are no backups then.
std::u16string BackupsDirectory();

// Makes the machine's folder, the data folder and its "notes" and "lang"
// folders where they are missing (at start-up, once this copy is the one
// that runs and a chosen data folder has been found).
void EnsureDataFolders();

// Where every file of the program lives: one folder under the user's roaming
// application data. Each path request creates the folders it names, so a data
// folder deleted while the program runs comes back at the next save.
#pragma once

#include <string>

// APPDATA + "\Quillboard" (or ".\Quillboard" when APPDATA is unset or too long).
std::u16string DataDirectory();

// DataDirectory() + "\" + name.
std::u16string DataFilePath(const std::u16string& name);

// DataDirectory() + "\notes".
std::u16string NotesDirectory();

// DataFilePath("lang") + "\lang_" + code + ".txt".
std::u16string LanguageFilePath(const std::u16string& code);

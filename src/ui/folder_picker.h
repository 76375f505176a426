// The system's folder picker: the file dialog that chooses folders.
#pragma once

#include <windows.h>

#include <string>

// Opens the picker over `owner` with `title` as its caption, showing the
// folder `start`; true with the full path of the folder chosen in `picked`
// when the user confirms one, false and no change otherwise.
bool PickFolder(HWND owner, const std::u16string& title, const std::u16string& start, std::u16string& picked);

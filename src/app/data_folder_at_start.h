// The data folder at start: a folder the user chose that is not there (a USB
// disk not plugged in, a sync folder not mounted yet) is named to the user,
// who may try again or quit. The program never starts writing the notes
// somewhere else instead, which would split them in two.
#pragma once

#include "storage/data_folder_choice.h"

// True once the folder the pointer names is there (or none was chosen), the
// user having been asked to try again as often as they wished; false when
// they chose to quit, and nothing has been written then. `found` is what the
// pointer gave at start, and afterwards what it gives now.
bool WaitForDataFolder(StartFolder& found);

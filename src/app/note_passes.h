// The passes over all note windows that the tray and the hot keys start.
#pragma once

// SaveNote for every note window, changed or not.
void SaveAllNotes();

// The passes over all note windows that the tray and the hot keys start.
#pragma once

// Docks every floating note: to its last edge, else to the nearest one.
void DockAllNotes();

// Restores every docked note.
void UndockAllNotes();

// SaveNote for every note window, changed or not.
void SaveAllNotes();

// SaveNote again for every note whose last save failed.
void RetryFailedNoteSaves();

// How many notes' last save failed, and the error of the first of them.
struct FailedNoteSaves {
    int count = 0;
    unsigned long firstError = 0;
};
FailedNoteSaves CountFailedNoteSaves();

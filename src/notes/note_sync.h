// The notes folder shared with the world: a sync service, an editor or
// another machine may change, add or remove any note file at any time. What
// this program does about it, note by note and folder-wide.
//
// A note has changes of its own when what a save would write now differs
// from the bytes its file held when this program last read or wrote it
// (typing not yet saved, and anything else not yet written). Such changes
// are never lost, and an outside version is never written over:
//   - its file changed outside: without changes of its own the note shows the
//     new version; with them, the note shows the new version and this
//     machine's version becomes a new note beside it, marked as a clash;
//   - its file deleted outside: the note closes; with changes of its own it
//     is kept, saved under a new file of its own;
//   - a new note file: a note for it, as at start;
//   - a sync service's clash copy of a note file: a note of its own, marked
//     as a clash, under a file name of its own; the copy is then removed.
#pragma once

#include <windows.h>

// Brings one note in line with its file, as above. The file-changed handler
// SaveNote calls when the file is not the version it last read or wrote.
void ReconcileNoteWithFile(HWND noteWindow);

// Looks at every file of the notes folder (and at "categories.txt" and its
// clash copies) and brings the notes in line: run when the folder changes,
// and by the 30-second timer. Does nothing while a dialog runs (the next
// look catches up).
void ScanDataFolder();

// Watches the notes folder and the data folder for changes; the handles are
// in the notes' state, for the main loop to wait on.
void StartWatchingDataFolder();

// Marks the note's clash as resolved: its header no longer says so.
void ResolveClash(HWND noteWindow);

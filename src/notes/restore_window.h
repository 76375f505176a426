// The restore window: the notes of the bin, and the backups with the notes
// of each; a note of the bin goes back where it was, a note of a backup
// comes back beside the current ones, and a whole backup can take the place
// of the notes of now (after a question, and with an undo).
#pragma once

#include <windows.h>

constexpr wchar_t kRestoreWindowClass[] = L"QuillboardRestaurer";

// Its lists and buttons besides "Fermer" (IDCANCEL).
constexpr int kRestoreBinListId = 501;
constexpr int kRestoreBinButtonId = 502;
constexpr int kRestoreDaysListId = 503;
constexpr int kRestoreDayNotesListId = 504;
constexpr int kRestoreNoteButtonId = 505;
constexpr int kRestoreDayButtonId = 506;

// Shows the window over `owner` and returns when it is closed. While it is
// open the owner takes no input; the notes stay usable, and the bin's list
// follows them when the window is active again. Enter restores the note
// chosen in the list that has the focus; Escape closes.
void RunRestoreWindow(HWND owner);

// The same from the tray window: does nothing while another dialog of the
// program is open.
void OpenRestoreWindow(HWND trayWindow);

// The names by which the program's windows, controls and commands are known
// to the system, written out once for every test tier. They are the
// program's own texts: a test that finds a window by its class also checks
// the class name.
#pragma once

#include <windows.h>

// Top-level window classes.
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kSplashClass[] = L"QuillboardSplash";
constexpr wchar_t kTextInputClass[] = L"QuillboardSaisie";
constexpr wchar_t kEditEntryClass[] = L"QuillboardEditEntree";  // the entry editor of a scheduled note
constexpr wchar_t kPickerClass[] = L"QuillboardPicker";         // the date and time picker
constexpr wchar_t kSettingsClass[] = L"QuillboardParam";
constexpr wchar_t kRestoreClass[] = L"QuillboardRestaurer";  // the bin and the backups
constexpr wchar_t kToastClass[] = L"QuillboardToast";
constexpr wchar_t kFindClass[] = L"QuillboardRecherche";
constexpr wchar_t kMenuClass[] = L"#32768";    // one level of a popup menu being shown
constexpr wchar_t kDialogClass[] = L"#32770";  // message boxes and the colour dialog

// Child controls.
constexpr int kNoteEdit = 200;              // the note's free text
constexpr int kTextInputEdit = 100;         // the text typed into the text input dialog
constexpr int kFindField = 100;             // the find window's search field
constexpr int kFindList = 101;              // and its list of results
constexpr int kColourDialogRedField = 706;  // then green 707 and blue 708, in the full colour dialog
constexpr int kRestoreBinList = 501;        // the restore window's list of the bin
constexpr int kRestoreBinButton = 502;      // its "Restaurer"
constexpr int kRestoreDaysList = 503;       // the backups
constexpr int kRestoreDayNotesList = 504;   // the notes of the backup chosen

// The tray icon and the commands of its menu.
constexpr UINT kTrayIconMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT kNewNoteCommand = 1001;
constexpr UINT kQuitCommand = 1002;
constexpr UINT kStartWithWindowsCommand = 1003;
constexpr UINT kUndockAllCommand = 1004;
constexpr UINT kDockAllCommand = 1005;
constexpr UINT kSettingsCommand = 1006;
constexpr UINT kFindCommand = 1007;
constexpr UINT kRestoreCommand = 1040;

// The settings window: notification sound, language, the notes' folder and
// the keyboard shortcuts, in one modal window painted in the look of
// a note.
#pragma once

#include <windows.h>

constexpr wchar_t kSettingsWindowClass[] = L"QuillboardParam";

// Its buttons besides OK (IDOK) and Cancel (IDCANCEL).
constexpr int kSettingsResetId = 300;
constexpr int kSettingsChooseSoundId = 401;
constexpr int kSettingsDefaultSoundId = 402;
constexpr int kSettingsTestSoundId = 403;
constexpr int kSettingsChooseFolderId = 404;  // the notes' folder
constexpr int kSettingsRestoreId = 405;       // the restore window

// Shows the window and returns when it has been closed. It edits a copy of
// the shortcuts, the sound and the language, which OK alone puts in effect;
// a new folder for the notes takes effect as soon as it is chosen.
// While it is open the notes and the tray window are disabled and the
// global hot keys unregistered. Does nothing while another dialog of the
// program is open. The tray window owns it.
void OpenSettingsWindow(HWND trayWindow);

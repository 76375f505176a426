// The notification sound: the process-wide sound settings, their file
// "son.txt", and playing a sound at a volume.
#pragma once

#include <string>

#include "reminders/sound_settings.h"

// The one record of the process, read by the toasts and the settings window.
SoundSettings& CurrentSoundSettings();

// Reads "son.txt" into CurrentSoundSettings; a missing file changes nothing.
void LoadSoundSettings();

// Writes CurrentSoundSettings to "son.txt"; a failed write is silent.
void SaveSoundSettings();

// Plays the WAV file (the default sound for an empty path) without waiting.
void PlayNotificationSound(const std::u16string& path, int volume);

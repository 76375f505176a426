// The notification sound: the process's sound settings with their file
// "son.txt", and playing a WAV file at a chosen volume.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "reminders/core/sound_settings.h"

// The one instance of the process: toasts play with it, the settings window
// changes it. It holds the initial values until LoadSoundSettings runs.
SoundSettings& ActiveSoundSettings();

// Reads "son.txt" into ActiveSoundSettings. A missing or unreadable file, and
// every key the file does not state, leave the current values.
void LoadSoundSettings();

// Writes ActiveSoundSettings to "son.txt"; false when the write failed (the
// previous file is then intact, and the write is kept among the unsaved
// files, to be tried again).
[[nodiscard]] bool SaveSoundSettings();

// The first of the default sounds under the Windows folder's "Media" that
// exists, or an empty string.
std::u16string DefaultSoundPath();

// The way a sound was started.
enum class SoundRoute {
    Beep,    // no file to play: the asterisk beep
    Memory,  // a 16-bit PCM file scaled to the volume and played from memory
    ByName,  // played by its file name, at its own volume
};

struct SoundPlayback {
    SoundRoute route = SoundRoute::Beep;
    std::size_t bytesRead = 0;  // of the file, into memory
};

// Starts the sound of the file (the default sound when the path is empty)
// at the volume (0..100) and returns at once; a sound still playing is cut
// off. Only files of at most kMaxScaledWavBytes are read into memory to be
// scaled; any other file is played by name. Nothing is ever reported to the
// user: a file that cannot be played stays silent.
SoundPlayback PlayNotificationSound(const std::u16string& path, std::int32_t volume);

// The notification sound settings and their file, "son.txt": three KEY=value
// lines (ENABLED, VOLUME, PATH).
#pragma once

#include <cstdint>
#include <string>

constexpr std::int32_t kMinVolume = 0;
constexpr std::int32_t kMaxVolume = 100;

struct SoundSettings {
    bool enabled = true;
    std::int32_t volume = 70;  // percent applied to the samples
    std::u16string path;       // WAV file; empty = the default system sound

    bool operator==(const SoundSettings&) const = default;
};

// The volume brought into 0..100.
std::int32_t ClampVolume(std::int64_t volume);

// Overwrites only what the text states; a key given twice takes its last
// value. Keys are case-sensitive and must start the line. The volume read is
// always in 0..100, and a path read never holds a line feed nor ends with a
// carriage return.
void ParseSoundSettings(const std::u16string& text, SoundSettings& settings);

// The whole file text: "ENABLED=", "VOLUME=" and "PATH=" lines ending with
// CR LF. The volume is written clamped to 0..100. A path that one line could
// not give back (one holding a line feed or ending with a carriage return) is
// written empty, the default sound: no Windows file name holds such control
// characters, and a line feed would start a line of its own that could be
// read as another key.
std::u16string FormatSoundSettings(const SoundSettings& settings);

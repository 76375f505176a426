// How a notification sound is played: a 16-bit PCM WAV image is scaled to the
// chosen volume and played from memory, anything else is played by its file
// name at its own volume. Works on the file's bytes only; the reader never
// looks past the buffer, whatever the chunk lengths in it say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The largest file read into memory and scaled. A notification sound is a few
// seconds long (16-bit stereo at 48 kHz is about 190 KB a second), so 32 MiB
// holds nearly three minutes of the richest PCM while keeping the image, which
// stays in memory until the next sound, small. A larger file is played by
// name, so it is never loaded whole.
constexpr std::size_t kMaxScaledWavBytes = 32 * 1024 * 1024;

struct WavPlaybackPlan {
    bool fromMemory = false;     // false: play the file by name
    std::size_t dataStart = 0;   // the samples, when fromMemory
    std::size_t dataLength = 0;  // in bytes; lies wholly inside the image
};

// From memory only when the image is a RIFF/WAVE file of more than 44 bytes
// and at most kMaxScaledWavBytes, with a "fmt " chunk of 16-bit PCM (format
// tag 1, at least one channel, a block of two bytes per channel) before its
// "data" chunk, and that data chunk lies wholly inside the image. Every other
// image (truncated, malformed, 8-bit, float, compressed) is played by name.
WavPlaybackPlan PlanWavPlayback(std::string_view image);

// Scales the little-endian signed 16-bit samples of the data range in place:
// each sample s becomes s × volume / 100, truncated toward zero. The volume is
// clamped to 0..100 first; 0 gives silence and 100 leaves the bytes untouched.
// An odd last byte is left alone, and a range passing the end of the image is
// cut to it.
void ScaleSamples(std::span<char> image, std::size_t dataStart, std::size_t dataLength,
                  std::int32_t volume);

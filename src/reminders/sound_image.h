// The WAV image being played from memory. Playback is asynchronous: the
// system reads the image after the play call has returned, so the image is
// kept until the next one replaces it, and the sound is stopped before the
// image it reads is released (at the next memory sound and at exit).
#pragma once

#include <string>

class SoundImage {
public:
    SoundImage() = default;
    ~SoundImage();
    SoundImage(const SoundImage&) = delete;
    SoundImage& operator=(const SoundImage&) = delete;

    void Play(std::string image);

private:
    std::string bytes_;
};

#include "reminders/core/wav_image.h"

#include <algorithm>

#include "reminders/core/sound_settings.h"

namespace {

constexpr std::size_t kMinWavBytes = 45;  // more than a bare 44-byte header
constexpr std::size_t kFormOffset = 8;    // "WAVE", after "RIFF" and its length
constexpr std::size_t kFirstChunkOffset = 12;
constexpr std::uint64_t kChunkHeaderBytes = 8;  // identifier and length

// Fields of a "fmt " chunk, counted from the start of the chunk header.
constexpr std::uint64_t kFormatTagField = 8;
constexpr std::uint64_t kChannelsField = 10;
constexpr std::uint64_t kBlockAlignField = 20;
constexpr std::uint64_t kBitsPerSampleField = 22;
constexpr std::uint64_t kFormatFieldsEnd = 24;
constexpr std::uint32_t kPcmFormatFieldsBytes = 16;

constexpr std::uint16_t kPcmFormatTag = 1;
constexpr std::uint16_t kScaledBitsPerSample = 16;
constexpr std::uint16_t kBytesPerSample = kScaledBitsPerSample / 8;

struct WavFormat {
    bool found = false;
    bool complete = false;  // the chunk holds all the fields of a PCM format
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// The callers check that the bytes lie inside the image.
std::uint16_t ReadUint16(std::string_view image, std::uint64_t offset) {
    const auto byte = [&](std::uint64_t i) { return static_cast<unsigned char>(image[i]); };
    return static_cast<std::uint16_t>(byte(offset) | byte(offset + 1) << 8);
}

std::uint32_t ReadUint32(std::string_view image, std::uint64_t offset) {
    return std::uint32_t{ReadUint16(image, offset)} |
           std::uint32_t{ReadUint16(image, offset + 2)} << 16;
}

bool HasTag(std::string_view image, std::uint64_t offset, std::string_view tag) {
    return image.substr(offset, tag.size()) == tag;
}

WavFormat ReadFormat(std::string_view image, std::uint64_t offset, std::uint32_t length) {
    WavFormat format;
    format.found = true;
    format.complete = length >= kPcmFormatFieldsBytes;
    format.formatTag = ReadUint16(image, offset + kFormatTagField);
    format.channels = ReadUint16(image, offset + kChannelsField);
    format.blockAlign = ReadUint16(image, offset + kBlockAlignField);
    format.bitsPerSample = ReadUint16(image, offset + kBitsPerSampleField);
    return format;
}

// 16-bit PCM whose header a player can trust: channels to play and blocks of
// one 2-byte sample per channel.
bool IsScalablePcm(const WavFormat& format) {
    return format.found && format.complete && format.formatTag == kPcmFormatTag &&
           format.bitsPerSample == kScaledBitsPerSample && format.channels > 0 &&
           format.blockAlign == format.channels * kBytesPerSample;
}

bool IsRiffWave(std::string_view image) {
    return image.size() >= kMinWavBytes && HasTag(image, 0, "RIFF") &&
           HasTag(image, kFormOffset, "WAVE");
}

}  // namespace

WavPlaybackPlan PlanWavPlayback(std::string_view image) {
    const WavPlaybackPlan byName;
    if (image.size() > kMaxScaledWavBytes || !IsRiffWave(image)) return byName;
    // Offsets are 64-bit: a chunk length near 4 GiB must not wrap around on a
    // 32-bit size_t and send the walk back into the image.
    const std::uint64_t size = image.size();
    WavFormat format;
    std::uint64_t offset = kFirstChunkOffset;
    while (offset + kChunkHeaderBytes <= size) {
        const std::uint32_t length = ReadUint32(image, offset + 4);
        if (HasTag(image, offset, "fmt ") && offset + kFormatFieldsEnd <= size) {
            format = ReadFormat(image, offset, length);
        } else if (HasTag(image, offset, "data")) {
            // The walk ends at the first data chunk: a format given after it
            // comes too late to trust the samples.
            const std::uint64_t dataStart = offset + kChunkHeaderBytes;
            if (!IsScalablePcm(format) || dataStart + length > size) return byName;
            return WavPlaybackPlan{true, static_cast<std::size_t>(dataStart), length};
        }
        offset += kChunkHeaderBytes + length + (length & 1);  // the pad byte of an odd chunk
    }
    return byName;  // no data chunk
}

void ScaleSamples(std::span<char> image, std::size_t dataStart, std::size_t dataLength,
                  std::int32_t volume) {
    const std::int32_t percent = ClampVolume(volume);
    if (percent == kMaxVolume || dataStart >= image.size()) return;
    const std::size_t length = std::min(dataLength, image.size() - dataStart);
    const std::span<char> data = image.subspan(dataStart, length);
    for (std::size_t i = 0; i + 1 < data.size(); i += kBytesPerSample) {
        const auto low = static_cast<unsigned char>(data[i]);
        const auto high = static_cast<unsigned char>(data[i + 1]);
        const auto sample = static_cast<std::int16_t>(low | high << 8);
        // Integer division truncates toward zero and is exact: with a rounded
        // factor of 0.7, 90 would become 62 instead of 63.
        const auto scaled = static_cast<std::uint16_t>(sample * percent / kMaxVolume);
        data[i] = static_cast<char>(scaled & 0xFF);
        data[i + 1] = static_cast<char>(scaled >> 8);
    }
}

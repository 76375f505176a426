#include "reminders/core/wav_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

std::string Le16(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

// A chunk whose length field says the body's length, or `length` when given.
std::string Chunk(const std::string& id, const std::string& body, std::optional<std::uint32_t> length = {}) {
    return id + Le32(length.value_or(static_cast<std::uint32_t>(body.size()))) + body;
}

// The 16 bytes of a format: tag, channels, rate, byte rate, block align, bits.
std::string Format(std::uint32_t tag, std::uint32_t channels, std::uint32_t bits, std::uint32_t blockAlign) {
    return Le16(tag) + Le16(channels) + Le32(8000) + Le32(8000 * blockAlign) + Le16(blockAlign) + Le16(bits);
}

std::string FormatChunk(std::uint32_t tag, std::uint32_t channels, std::uint32_t bits, std::uint32_t blockAlign) {
    return Chunk("fmt ", Format(tag, channels, bits, blockAlign));
}

std::string Wav(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

const std::string kPcm16Stereo = FormatChunk(1, 2, 16, 4);
const std::string kData = Chunk("data", std::string(8, '\x11'));

TEST(WavImage, PlaysOnlyWhole16BitPcmFromMemory) {
    const struct {
        const char* name;
        std::string image;
        WavPlaybackPlan plan;
    } cases[] = {
        {"16-bit PCM", Wav(kPcm16Stereo + kData), {true, 44, 8}},
        {"odd fmt chunk, pad byte", Wav(Chunk("fmt ", Format(1, 2, 16, 4) + "x") + "\0"s + kData), {true, 46, 8}},
        {"odd chunk before the format", Wav(Chunk("LIST", "abc") + "\0"s + kPcm16Stereo + kData), {true, 56, 8}},
        {"45 bytes", Wav(kPcm16Stereo + Chunk("data", "a")), {true, 44, 1}},
        {"44 bytes", Wav(kPcm16Stereo + Chunk("data", "")), {}},
        {"no data", Wav(kPcm16Stereo + Chunk("LIST", "abcdefgh")), {}},
        {"truncated data", Wav(kPcm16Stereo + Chunk("data", "abcdefgh", 9)), {}},
        {"8-bit", Wav(FormatChunk(1, 1, 8, 1) + kData), {}},
        {"32-bit float", Wav(FormatChunk(3, 2, 32, 8) + kData), {}},
        {"data before fmt", Wav(kData + kPcm16Stereo), {}},
        {"no channels", Wav(FormatChunk(1, 0, 16, 0) + kData), {}},
        {"block align 0", Wav(FormatChunk(1, 2, 16, 0) + kData), {}},
        {"fmt cut short", Wav(Chunk("fmt ", Format(1, 2, 16, 4), 14) + kData), {}},
        {"chunk length of 4 GiB", Wav(kPcm16Stereo + Chunk("LIST", "", 0xFFFFFFFF) + kData), {}},
        {"not RIFF", "ID3\x04" + std::string(60, '\0'), {}},
        {"RIFF but not WAVE", "RIFF" + Le32(52) + "AVI " + kPcm16Stereo + kData, {}},
    };
    for (const auto& c : cases) {
        const WavPlaybackPlan plan = PlanWavPlayback(c.image);
        EXPECT_EQ(plan.fromMemory, c.plan.fromMemory) << c.name;
        EXPECT_EQ(plan.dataStart, c.plan.dataStart) << c.name;
        EXPECT_EQ(plan.dataLength, c.plan.dataLength) << c.name;
    }
}

TEST(WavImage, AFileAboveTheScalingLimitIsPlayedByName) {
    std::string image = Wav(kPcm16Stereo + Chunk("data", "", kMaxScaledWavBytes - 44));
    image.resize(kMaxScaledWavBytes);
    EXPECT_TRUE(PlanWavPlayback(image).fromMemory);
    image.push_back('\0');
    EXPECT_FALSE(PlanWavPlayback(image).fromMemory);
}

TEST(WavImage, ScalesEachSampleTowardZeroInsideTheImage) {
    const struct {
        std::int32_t volume;
        std::int32_t sample;
        std::int32_t scaled;
    } cases[] = {
        {50, -3, -1}, {50, 3, 1},      {50, -32768, -16384}, {50, 32767, 16383}, {70, 90, 63},
        {1, -99, 0},  {0, -32768, 0},  {100, -3, -3},        {250, -3, -3},       {-5, 1234, 0},
    };
    for (const auto& c : cases) {
        std::string image = "hd" + Le16(static_cast<std::uint16_t>(c.sample)) + "z";  // the odd last byte stays
        ScaleSamples(image, 2, 3, c.volume);
        EXPECT_EQ(image, "hd" + Le16(static_cast<std::uint16_t>(c.scaled)) + "z") << c.sample << " at " << c.volume;
    }

    // Scaling stays inside the image.
    std::string image = "hd" + Le16(1000) + Le16(1000);
    ScaleSamples(image, 4, 100, 50);  // range past the end: cut to it
    EXPECT_EQ(image, "hd" + Le16(1000) + Le16(500));
    ScaleSamples(image, 6, 2, 50);    // starts at the end: nothing to do
    EXPECT_EQ(image, "hd" + Le16(1000) + Le16(500));
}

}  // namespace

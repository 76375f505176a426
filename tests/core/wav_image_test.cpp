#include "reminders/wav_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace std::string_literals;

std::string Le16(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

// A chunk whose length field says `length`, which need not be the body's.
std::string Chunk(const std::string& id, const std::string& body, std::uint32_t length) {
    return id + Le32(length) + body;
}

std::string Chunk(const std::string& id, const std::string& body) {
    return Chunk(id, body, static_cast<std::uint32_t>(body.size()));
}

// The 16 bytes of a format: tag, channels, rate, byte rate, block align, bits.
std::string Format(std::uint32_t tag, std::uint32_t channels, std::uint32_t bits,
                   std::uint32_t blockAlign) {
    return Le16(tag) + Le16(channels) + Le32(8000) + Le32(8000 * blockAlign) + Le16(blockAlign) +
           Le16(bits);
}

std::string Pcm16Stereo() { return Chunk("fmt ", Format(1, 2, 16, 4)); }

std::string Wav(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

const std::string kSamples(8, '\x11');

TEST(WavImage, PlaysOnlyWhole16BitPcmFromMemory) {
    const struct {
        const char* name;
        std::string image;
        WavPlaybackPlan plan;
    } cases[] = {
        {"16-bit PCM", Wav(Pcm16Stereo() + Chunk("data", kSamples)), {true, 44, 8}},
        {"odd fmt chunk and its pad byte",
         Wav(Chunk("fmt ", Format(1, 2, 16, 4) + "x") + "\0"s + Chunk("data", kSamples)), {true, 46, 8}},
        {"odd chunk before the format",
         Wav(Chunk("LIST", "abc") + "\0"s + Pcm16Stereo() + Chunk("data", kSamples)), {true, 56, 8}},
        {"45 bytes", Wav(Pcm16Stereo() + Chunk("data", "a")), {true, 44, 1}},
        {"44 bytes", Wav(Pcm16Stereo() + Chunk("data", "")), {}},
        {"no data", Wav(Pcm16Stereo() + Chunk("LIST", kSamples)), {}},
        {"truncated data", Wav(Pcm16Stereo() + Chunk("data", kSamples, 9)), {}},
        {"8-bit", Wav(Chunk("fmt ", Format(1, 1, 8, 1)) + Chunk("data", kSamples)), {}},
        {"32-bit float", Wav(Chunk("fmt ", Format(3, 2, 32, 8)) + Chunk("data", kSamples)), {}},
        {"data before fmt", Wav(Chunk("data", kSamples) + Pcm16Stereo()), {}},
        {"no channels", Wav(Chunk("fmt ", Format(1, 0, 16, 0)) + Chunk("data", kSamples)), {}},
        {"block align 0", Wav(Chunk("fmt ", Format(1, 2, 16, 0)) + Chunk("data", kSamples)), {}},
        {"fmt cut short",
         Wav(Chunk("fmt ", Format(1, 2, 16, 4), 14) + Chunk("data", kSamples)), {}},
        {"chunk length of 4 GiB",
         Wav(Pcm16Stereo() + Chunk("LIST", "", 0xFFFFFFFF) + Chunk("data", kSamples)), {}},
        {"not RIFF", "ID3\x04" + std::string(60, '\0'), {}},
        {"RIFF but not WAVE", "RIFF" + Le32(52) + "AVI " + Pcm16Stereo() + Chunk("data", kSamples), {}},
    };
    for (const auto& c : cases) {
        const WavPlaybackPlan plan = PlanWavPlayback(c.image);
        EXPECT_EQ(plan.fromMemory, c.plan.fromMemory) << c.name;
        EXPECT_EQ(plan.dataStart, c.plan.dataStart) << c.name;
        EXPECT_EQ(plan.dataLength, c.plan.dataLength) << c.name;
    }
}

TEST(WavImage, AFileAboveTheScalingLimitIsPlayedByName) {
    std::string image = Wav(Pcm16Stereo() + Chunk("data", "", kMaxScaledWavBytes - 44));
    image.resize(kMaxScaledWavBytes);
    EXPECT_TRUE(PlanWavPlayback(image).fromMemory);
    image.push_back('\0');
    EXPECT_FALSE(PlanWavPlayback(image).fromMemory);
}

TEST(WavImage, ScalesEachSampleTowardZero) {
    const struct {
        std::int32_t volume;
        std::int32_t sample;
        std::int32_t scaled;
    } cases[] = {
        {50, -3, -1},      {50, 3, 1},       {50, -32768, -16384}, {50, 32767, 16383},
        {70, 90, 63},      {1, -99, 0},      {0, -32768, 0},       {100, -3, -3},
        {250, -3, -3},     {-5, 1234, 0},
    };
    for (const auto& c : cases) {
        std::string image = "hd" + Le16(static_cast<std::uint16_t>(c.sample)) + "z";
        ScaleSamples(image, 2, 3, c.volume);
        EXPECT_EQ(image, "hd" + Le16(static_cast<std::uint16_t>(c.scaled)) + "z")
            << c.sample << " at " << c.volume;
    }
}

TEST(WavImage, ScalingStaysInsideTheImage) {
    std::string image = "hd" + Le16(1000) + Le16(1000);
    ScaleSamples(image, 4, 100, 50);  // range past the end: cut to it
    EXPECT_EQ(image, "hd" + Le16(1000) + Le16(500));
    ScaleSamples(image, 6, 2, 50);    // starts at the end: nothing to do
    EXPECT_EQ(image, "hd" + Le16(1000) + Le16(500));
}

}  // namespace

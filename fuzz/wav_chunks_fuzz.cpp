// Walks the chunks of arbitrary bytes as a WAV image and scales what the walk
// finds. The image lies in a buffer of exactly its size, so AddressSanitizer
// stops any read or write past it; a plan to play from memory must lie inside
// the image, and scaling must touch nothing outside the data range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

#include "fuzz_text.h"
#include "reminders/core/wav_image.h"

namespace {

void CheckImage(const std::uint8_t* data, std::size_t size) {
    const std::string_view original(reinterpret_cast<const char*>(data), size);
    const WavPlaybackPlan plan = PlanWavPlayback(original);
    if (!plan.fromMemory) {
        Check(plan.dataStart == 0 && plan.dataLength == 0);
        return;
    }
    Check(plan.dataStart >= 12 && plan.dataStart <= size);
    Check(plan.dataLength <= size - plan.dataStart);

    const auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), data, size);
    const std::span<char> image(copy.get(), size);
    const std::int32_t volume = static_cast<std::int32_t>(data[size - 1]) - 20;  // -20..235
    ScaleSamples(image, plan.dataStart, plan.dataLength, volume);

    const std::size_t dataEnd = plan.dataStart + plan.dataLength;
    Check(std::memcmp(copy.get(), data, plan.dataStart) == 0);
    Check(std::memcmp(copy.get() + dataEnd, data + dataEnd, size - dataEnd) == 0);
    if (plan.dataLength % 2 != 0) Check(copy[dataEnd - 1] == original[dataEnd - 1]);
    if (volume >= 100) Check(std::memcmp(copy.get(), data, size) == 0);

    // Whatever range a caller passes, scaling stays inside the image.
    ScaleSamples(image, data[12] * 4u, size, 50);
}

// The bytes behind a fixed prefix, in a buffer of exactly their size.
void CheckBehind(std::string_view prefix, const std::uint8_t* data, std::size_t size) {
    const std::size_t wrappedSize = prefix.size() + size;
    const auto wrapped = std::make_unique<std::uint8_t[]>(wrappedSize);
    std::memcpy(wrapped.get(), prefix.data(), prefix.size());
    if (size != 0) std::memcpy(wrapped.get() + prefix.size(), data, size);
    CheckImage(wrapped.get(), wrappedSize);
}

// A RIFF/WAVE header, and the same followed by the "fmt " chunk of 16-bit
// stereo PCM: with them the fuzzer reaches the chunk walk and the scaling
// without having to spell out the header first.
using namespace std::string_view_literals;
constexpr std::string_view kRiffWave = "RIFF\0\0\0\0WAVE"sv;
constexpr std::string_view kPcmFormat = "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x40\x1F\0\0\0\x7D\0\0\x04\0\x10\0"sv;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckImage(data, size);
    CheckBehind(kRiffWave, data, size);
    CheckBehind(kPcmFormat, data, size);
    return 0;
}

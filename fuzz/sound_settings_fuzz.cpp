// Reads arbitrary "son.txt" text, writes the settings back out and reads them
// again: the second reading must give the same settings, and every value read
// must be in range. A path taken from anywhere must also be written so that it
// reads back as itself or as the default sound, never as other keys.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "fuzz_text.h"
#include "reminders/sound_settings.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

// Pieces of the file format, each starting a line, that random byte changes
// would hardly ever spell out in UTF-16.
constexpr std::u16string_view kFormatTokens[] = {
    u"\nENABLED=", u"\nVOLUME=", u"\nPATH=", u"\r\n", u"\r", u"-", u"9999999999",
};

std::size_t InsertFormatToken(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                              std::minstd_rand& random) {
    const std::u16string_view token = kFormatTokens[random() % std::size(kFormatTokens)];
    const std::size_t tokenBytes = token.size() * 2;
    if (size + tokenBytes > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    const std::size_t offset = (random() % (size / 2 + 1)) * 2;
    std::memmove(data + offset + tokenBytes, data + offset, size - offset);
    for (std::size_t i = 0; i < token.size(); ++i) {
        data[offset + 2 * i] = static_cast<std::uint8_t>(token[i] & 0xFF);
        data[offset + 2 * i + 1] = static_cast<std::uint8_t>(token[i] >> 8);
    }
    return size + tokenBytes;
}

SoundSettings Parse(const std::u16string& text) {
    SoundSettings settings;
    ParseSoundSettings(text, settings);
    return settings;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int randomSeed) {
    std::minstd_rand random(randomSeed);
    if (random() % 4 != 0) return LLVMFuzzerMutate(data, size, maxSize);
    return InsertFormatToken(data, size, maxSize, random);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromBytes(data, size);
    const SoundSettings first = Parse(text);
    Check(first.volume >= kMinVolume && first.volume <= kMaxVolume);
    Check(first.path.find(u'\n') == std::u16string::npos);

    const std::u16string written = FormatSoundSettings(first);
    Check(Parse(written) == first);

    // The whole input as a path, with settings unlike the defaults.
    const SoundSettings chosen{false, 3, text};
    const SoundSettings reread = Parse(FormatSoundSettings(chosen));
    Check(!reread.enabled && reread.volume == 3);
    Check(reread.path == text || reread.path.empty());
    return 0;
}

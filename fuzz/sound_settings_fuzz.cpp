// Reads arbitrary "son.txt" text, writes the settings back out and reads them
// again: the second reading must give the same settings, and every value read
// must be in range. A path taken from anywhere must also be written so that it
// reads back as itself or as the default sound, never as other keys.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_text.h"
#include "reminders/core/sound_settings.h"

namespace {

constexpr std::u16string_view kFormatTokens[] = {
    u"\nENABLED=", u"\nVOLUME=", u"\nPATH=", u"\r\n", u"\r", u"-", u"9999999999",
};

SoundSettings Parse(const std::u16string& text) {
    SoundSettings settings;
    ParseSoundSettings(text, settings);
    return settings;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int randomSeed) {
    return MutateWithFormatTokens(kFormatTokens, data, size, maxSize, randomSeed);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromBytes(data, size);
    const SoundSettings first = Parse(text);
    Check(first.volume >= kMinVolume && first.volume <= kMaxVolume);
    Check(first.path.find(u'\n') == std::u16string::npos);
    CheckReadsBack(FormatSoundSettings(first), SoundSettings{}, first, ParseSoundSettings, FormatSoundSettings);

    // The whole input as a path, with settings unlike the defaults.
    const SoundSettings reread = Parse(FormatSoundSettings(SoundSettings{false, 3, text}));
    Check(!reread.enabled && reread.volume == 3);
    Check(reread.path == text || reread.path.empty());
    return 0;
}

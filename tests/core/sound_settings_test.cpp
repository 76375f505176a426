#include "reminders/core/sound_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(SoundSettings, ReadsEachKeyByItsOwnRuleAndOnlyTheKeysItHas) {
    const struct {
        std::u16string text;
        SoundSettings expected;
    } cases[] = {
        {u"ENABLED=0\r\nVOLUME=35\r\nPATH=C:\\Sons\\bip.wav\r\n", {false, 35, u"C:\\Sons\\bip.wav"}},
        {u"VOLUME=-5", {true, 0, u""}},       {u"VOLUME=250\r\n", {true, 100, u""}},
        {u"VOLUME= 42%", {true, 42, u""}},    {u"VOLUME=abc", {true, 0, u""}},  // garbled reads as 0
        {u"ENABLED=yes", {false, 70, u""}},   {u"ENABLED=-3", {true, 70, u""}},
        {u"enabled=0", {true, 70, u""}},   // keys are case-sensitive
        {u" ENABLED=0", {true, 70, u""}},  // and start the line
        {u"ENABLED =0\r\nVOLUME\r\nSOUND=1", {true, 70, u""}},
        {u"PATH=  D:\\a b.wav \r\r\r", {true, 70, u"  D:\\a b.wav "}},  // verbatim, CRs gone
        {u"PATH=D:\\x\r.wav", {true, 70, u"D:\\x\r.wav"}},              // an inner CR stays
        {u"VOLUME=10\nVOLUME=20", {true, 20, u""}},                     // last wins, no final LF
        {u"", {true, 70, u""}},
    };
    for (const auto& c : cases) {
        SoundSettings settings;
        ParseSoundSettings(c.text, settings);
        EXPECT_EQ(settings, c.expected) << testing::PrintToString(c.text);
    }

    // Keys the file lacks keep their current values.
    SoundSettings settings{false, 12, u"x.wav"};
    ParseSoundSettings(u"VOLUME=40\r\n", settings);
    EXPECT_EQ(settings, (SoundSettings{false, 40, u"x.wav"}));
    ParseSoundSettings(u"PATH=\r\n", settings);
    EXPECT_EQ(settings, (SoundSettings{false, 40, u""}));
}

TEST(SoundSettings, WritesThreeExactLines) {
    // Fields apart rather than a SoundSettings per case: GCC 12 warns about
    // a nested string in an array of aggregates.
    const struct {
        bool enabled;
        std::int32_t volume;
        std::u16string path;
        std::u16string text;
    } cases[] = {
        {false, 35, u"", u"ENABLED=0\r\nVOLUME=35\r\nPATH=\r\n"},
        {true, 70, u"C:\\Users\\Zoé\\bip.wav", u"ENABLED=1\r\nVOLUME=70\r\nPATH=C:\\Users\\Zoé\\bip.wav\r\n"},
        {true, 250, u"", u"ENABLED=1\r\nVOLUME=100\r\nPATH=\r\n"},
        {true, -1, u"", u"ENABLED=1\r\nVOLUME=0\r\nPATH=\r\n"},
        // A path one line cannot give back is written as the default sound,
        // never as a second line that could read as a key.
        {true, 70, u"a.wav\nENABLED=0", u"ENABLED=1\r\nVOLUME=70\r\nPATH=\r\n"},
        {true, 70, u"a.wav\r", u"ENABLED=1\r\nVOLUME=70\r\nPATH=\r\n"},
        {true, 70, u"a\r.wav", u"ENABLED=1\r\nVOLUME=70\r\nPATH=a\r.wav\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSoundSettings(SoundSettings{c.enabled, c.volume, c.path}), c.text)
            << testing::PrintToString(c.text);
    }
}

}  // namespace

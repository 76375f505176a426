// The sound settings file through LoadSoundSettings and SaveSoundSettings,
// and the way PlayNotificationSound takes for each kind of file. There is no
// audio device under Wine: the play calls return at once.
#include <cstdint>
#include <string>

#include "reminders/notification_sound.h"
#include "reminders/wav_image.h"
#include "storage/data_directory.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

std::string Little(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// A stereo PCM file whose data chunk says it holds dataLength bytes.
std::string WavFile(int bitsPerSample, const std::string& samples, std::uint32_t dataLength) {
    const int blockAlign = 2 * bitsPerSample / 8;
    return "RIFF" + Little(36 + dataLength, 4) + "WAVEfmt " + Little(16, 4) + Little(1, 2) + Little(2, 2) +
           Little(8000, 4) + Little(8000 * blockAlign, 4) + Little(blockAlign, 2) + Little(bitsPerSample, 2) +
           "data" + Little(dataLength, 4) + samples;
}

class NotificationSound : public DataFolderTest {};

TEST_F(NotificationSound, SettingsAreSavedAsThreeLinesAndReadBackKeyByKey) {
    ActiveSoundSettings() = SoundSettings{true, 70, u"C:\\avant.wav"};
    LoadSoundSettings();  // no file yet: nothing changes
    EXPECT_EQ(ActiveSoundSettings(), (SoundSettings{true, 70, u"C:\\avant.wav"}));
    ActiveSoundSettings() = SoundSettings{false, 35, u""};
    ASSERT_TRUE(SaveSoundSettings());
    EXPECT_EQ(ReadRawFile(DataFilePath(u"son.txt")), "ENABLED=0\r\nVOLUME=35\r\nPATH=\r\n");

    ActiveSoundSettings() = SoundSettings{true, 80, u"C:\\Sons\\clochette d'été.wav"};
    ASSERT_TRUE(SaveSoundSettings());
    ActiveSoundSettings() = SoundSettings{};
    LoadSoundSettings();
    EXPECT_EQ(ActiveSoundSettings(), (SoundSettings{true, 80, u"C:\\Sons\\clochette d'été.wav"}));
    // Only what the file states changes; a lower-case key or one after a blank is no key.
    WriteRawFile(DataFilePath(u"son.txt"), "VOLUME=-5\r\nenabled=0\r\n PATH=x\r\n");
    LoadSoundSettings();
    EXPECT_EQ(ActiveSoundSettings(), (SoundSettings{true, 0, u"C:\\Sons\\clochette d'été.wav"}));
}

TEST_F(NotificationSound, SixteenBitPcmPlaysFromMemoryAndEverythingElseByName) {
    const std::string samples = Little(0xFFFD, 2) + Little(3, 2) + Little(0x8000, 2) + Little(0x7FFF, 2);
    const std::string pcm16 = WavFile(16, samples, 8);
    const struct {
        const char16_t* name;
        std::string bytes;
        SoundRoute route;
    } cases[] = {
        {u"pcm16.wav", pcm16, SoundRoute::Memory},
        {u"pcm8.wav", WavFile(8, "\x10\x80\xF0\x7F", 4), SoundRoute::ByName},
        {u"cut.wav", WavFile(16, samples, 4000), SoundRoute::ByName},  // data runs past the end
    };
    for (const auto& c : cases) {
        const std::u16string path = DataFilePath(c.name);
        WriteRawFile(path, c.bytes);
        const SoundPlayback playback = PlayNotificationSound(path, 50);
        EXPECT_EQ(playback.route, c.route) << c.bytes.size();
        EXPECT_EQ(playback.bytesRead, c.bytes.size());
    }
    EXPECT_EQ(PlayNotificationSound(DataFilePath(u"missing.wav"), 50).route, SoundRoute::ByName);
    // No default sound in the Windows folder: the asterisk beep.
    if (DefaultSoundPath().empty()) {
        EXPECT_EQ(PlayNotificationSound(u"", 50).route, SoundRoute::Beep);
    }
    // Another memory sound: the image played so far is released only once stopped.
    EXPECT_EQ(PlayNotificationSound(DataFilePath(u"pcm16.wav"), 100).route, SoundRoute::Memory);
}

TEST_F(NotificationSound, AFileLargerThanTheCapIsPlayedByNameWithoutBeingRead) {
    const std::u16string path = DataFilePath(u"long.wav");
    WriteRawFile(path, WavFile(16, "", kMaxScaledWavBytes));
    {
        const UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = 44 + kMaxScaledWavBytes + 1;  // sparse: made at once
        ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get()));
    }
    const SoundPlayback playback = PlayNotificationSound(path, 50);
    EXPECT_EQ(playback.route, SoundRoute::ByName);
    EXPECT_EQ(playback.bytesRead, 0u);
}

}  // namespace

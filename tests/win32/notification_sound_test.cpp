// The sound settings file through LoadSoundSettings and SaveSoundSettings,
// and the way PlayNotificationSound takes for each kind of file. There is no
// audio device under Wine: the play calls return at once.
#include <cstdint>
#include <string>
#include <utility>

#include "reminders/core/wav_image.h"
#include "reminders/notification_sound.h"
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

// The way the sound of the file took, and how much of the file was read.
std::pair<SoundRoute, std::size_t> Played(const std::u16string& path, int volume = 50) {
    const SoundPlayback playback = PlayNotificationSound(path, volume);
    return {playback.route, playback.bytesRead};
}

class NotificationSound : public DataFolderTest {};

TEST_F(NotificationSound, SettingsAreSavedAsThreeLinesAndReadBack) {
    ActiveSoundSettings() = SoundSettings{true, 70, u"C:\\avant.wav"};
    LoadSoundSettings();  // no file yet: nothing changes
    EXPECT_EQ(ActiveSoundSettings(), (SoundSettings{true, 70, u"C:\\avant.wav"}));
    ActiveSoundSettings() = SoundSettings{false, 35, u"C:\\Sons\\clochette d'été.wav"};
    ASSERT_TRUE(SaveSoundSettings());
    EXPECT_EQ(ReadRawFile(DataFilePath(u"son.txt")),
              "ENABLED=0\r\nVOLUME=35\r\nPATH=C:\\Sons\\clochette d'été.wav\r\n");
    ActiveSoundSettings() = SoundSettings{};
    LoadSoundSettings();
    EXPECT_EQ(ActiveSoundSettings(), (SoundSettings{false, 35, u"C:\\Sons\\clochette d'été.wav"}));
}

TEST_F(NotificationSound, SixteenBitPcmPlaysFromMemoryAndEverythingElseByName) {
    const std::string pcm16 = WavFile(16, Little(0xFFFD, 2) + Little(3, 2) + Little(0x8000, 2) + Little(0x7FFF, 2), 8);
    const std::string pcm8 = WavFile(8, "\x10\x80\xF0\x7F", 4);
    WriteRawFile(DataFilePath(u"pcm16.wav"), pcm16);
    WriteRawFile(DataFilePath(u"pcm8.wav"), pcm8);
    EXPECT_EQ(Played(DataFilePath(u"pcm16.wav")), std::make_pair(SoundRoute::Memory, pcm16.size()));
    EXPECT_EQ(Played(DataFilePath(u"pcm8.wav")), std::make_pair(SoundRoute::ByName, pcm8.size()));
    EXPECT_EQ(Played(DataFilePath(u"missing.wav")), std::make_pair(SoundRoute::ByName, std::size_t{0}));
    // No default sound in the Windows folder: the asterisk beep.
    if (DefaultSoundPath().empty()) {
        EXPECT_EQ(Played(u"").first, SoundRoute::Beep);
    }
    // Another memory sound: the image played so far is released only once stopped.
    EXPECT_EQ(Played(DataFilePath(u"pcm16.wav"), 100).first, SoundRoute::Memory);
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
    EXPECT_EQ(Played(path), std::make_pair(SoundRoute::ByName, std::size_t{0}));
}

}  // namespace

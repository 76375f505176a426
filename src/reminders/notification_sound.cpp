#include "reminders/notification_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "win/wide.h"

namespace {

constexpr char16_t kSoundSettingsFile[] = u"son.txt";

}  // namespace

SoundSettings& CurrentSoundSettings() {
    static SoundSettings settings;
    return settings;
}

void LoadSoundSettings() {
    ParseSoundSettings(ReadTextFile(DataFilePath(kSoundSettingsFile)), CurrentSoundSettings());
}

void SaveSoundSettings() {
    WriteFileAtomic(DataFilePath(kSoundSettingsFile), EncodeUtf8(FormatSoundSettings(CurrentSoundSettings())));
}

void PlayNotificationSound(const std::u16string& path, int) {
    if (path.empty()) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    PlaySoundW(Wide(path), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
}

#include "reminders/notification_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <span>
#include <string_view>
#include <utility>

#include "reminders/core/wav_image.h"
#include "reminders/reminders_state.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"
#include "win/system_function.h"
#include "win/wide.h"

namespace {

constexpr char16_t kSoundSettingsFile[] = u"son.txt";
// Three short lines and a path; anything past this is not a file the program wrote.
constexpr std::uint64_t kMaxSoundSettingsBytes = 64 * 1024;

// Tried in this order under the Windows folder.
constexpr const char16_t* kDefaultSoundCandidates[] = {
    u"\\Media\\Windows Notify System Generic.wav",
    u"\\Media\\Windows Notify.wav",
    u"\\Media\\Windows Notify Calendar.wav",
    u"\\Media\\notify.wav",
    u"\\Media\\Alarm01.wav",
    u"\\Media\\ding.wav",
};

constexpr DWORD kMemoryPlayFlags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
constexpr DWORD kByNamePlayFlags = SND_FILENAME | SND_NODEFAULT | SND_ASYNC;

constexpr wchar_t kSoundLibrary[] = L"winmm.dll";

// The sound library is loaded at the first toast, not at start: most runs
// never play a sound.
void PlaySoundLazily(const wchar_t* sound, DWORD flags) {
    if (const auto play = SystemFunction<decltype(PlaySoundW)>(kSoundLibrary, "PlaySoundW")) play(sound, nullptr, flags);
}

void StopSound() {
    if (GetModuleHandleW(kSoundLibrary)) PlaySoundLazily(nullptr, 0);  // nothing can be playing otherwise
}

// The whole file, when it is small enough to be scaled in memory. A larger
// file is not read at all: the size is checked before anything is loaded.
bool ReadScalableFile(const std::u16string& path, Bytes& bytes) {
    std::uint64_t size = 0;
    bool cut = false;
    return FileSizeOf(path, size) && size <= kMaxScaledWavBytes &&
           ReadFileStart(path, kMaxScaledWavBytes, bytes, cut) && !cut;
}

}  // namespace

SoundImage::~SoundImage() {
    if (!bytes_.empty()) StopSound();
}

void SoundImage::Play(std::string image) {
    StopSound();  // from here on the system no longer reads the old image
    bytes_ = std::move(image);
    PlaySoundLazily(reinterpret_cast<const wchar_t*>(bytes_.data()), kMemoryPlayFlags);
}

SoundSettings& ActiveSoundSettings() {
    return CurrentRemindersState().sound;
}

void LoadSoundSettings() {
    // Per machine: its path names a file of this machine's disk, and its
    // volume suits this machine's speakers.
    ParseSoundSettings(ReadTextFileStart(MachineFilePath(kSoundSettingsFile), kMaxSoundSettingsBytes),
                       ActiveSoundSettings());
}

bool SaveSoundSettings() {
    const bool saved =
        WriteFileAtomic(MachineFilePath(kSoundSettingsFile), EncodeUtf8(FormatSoundSettings(ActiveSoundSettings())));
    RecordFileSave(kSoundSettingsFile, SaveSoundSettings, saved, saved ? 0 : GetLastError());
    return saved;
}

std::u16string DefaultSoundPath() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    for (const char16_t* candidate : kDefaultSoundCandidates) {
        const std::u16string path = FromWide(folder) + candidate;
        if (GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES) return path;
    }
    return {};
}

SoundPlayback PlayNotificationSound(const std::u16string& path, std::int32_t volume) {
    const std::u16string file = path.empty() ? DefaultSoundPath() : path;
    if (file.empty()) {
        MessageBeep(MB_ICONASTERISK);
        return SoundPlayback{SoundRoute::Beep, 0};
    }
    Bytes image;
    const std::size_t bytesRead = ReadScalableFile(file, image) ? image.size() : 0;
    const WavPlaybackPlan plan = PlanWavPlayback(std::string_view(image.data(), bytesRead));
    if (plan.fromMemory) {
        ScaleSamples(std::span<char>(image), plan.dataStart, plan.dataLength, volume);
        CurrentRemindersState().playing.Play(std::move(image));
        return SoundPlayback{SoundRoute::Memory, bytesRead};
    }
    PlaySoundLazily(Wide(file), kByNamePlayFlags);
    return SoundPlayback{SoundRoute::ByName, bytesRead};
}

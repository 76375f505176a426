#include "reminders/core/sound_settings.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "storage/core/lenient_number.h"
#include "storage/core/text_lines.h"

namespace {

constexpr std::u16string_view kEnabledKey = u"ENABLED=";
constexpr std::u16string_view kVolumeKey = u"VOLUME=";
constexpr std::u16string_view kPathKey = u"PATH=";
constexpr std::u16string_view kLineBreak = u"\r\n";

// On a match, `value` is the rest of the line after the key.
bool MatchKey(std::u16string_view line, std::u16string_view key, std::u16string_view& value) {
    if (line.substr(0, key.size()) != key) return false;
    value = line.substr(key.size());
    return true;
}

void ParseLine(std::u16string_view line, SoundSettings& settings) {
    std::u16string_view value;
    if (MatchKey(line, kEnabledKey, value)) {
        settings.enabled = ReadInt32(value) != 0;
    } else if (MatchKey(line, kVolumeKey, value)) {
        settings.volume = ClampVolume(ReadInt32(value));
    } else if (MatchKey(line, kPathKey, value)) {
        settings.path = std::u16string(value);
    }
    // Any other line is ignored.
}

// What the reader gives back unchanged: no line feed, no trailing carriage
// return (a carriage return elsewhere stays in the line).
bool ReadsBackFromOneLine(std::u16string_view text) {
    return text.find(u'\n') == std::u16string_view::npos &&
           (text.empty() || text.back() != u'\r');
}

void AppendDecimalLine(std::u16string& out, std::u16string_view key, std::int32_t value) {
    out += key;
    out += DecimalText(value);
    out += kLineBreak;
}

}  // namespace

std::int32_t ClampVolume(std::int64_t volume) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(volume, kMinVolume, kMaxVolume));
}

void ParseSoundSettings(const std::u16string& text, SoundSettings& settings) {
    ForEachLine(text, [&settings](std::u16string_view line) { ParseLine(line, settings); });
}

std::u16string FormatSoundSettings(const SoundSettings& settings) {
    std::u16string out;
    AppendDecimalLine(out, kEnabledKey, settings.enabled ? 1 : 0);
    AppendDecimalLine(out, kVolumeKey, ClampVolume(settings.volume));
    out += kPathKey;
    if (ReadsBackFromOneLine(settings.path)) out += settings.path;
    out += kLineBreak;
    return out;
}

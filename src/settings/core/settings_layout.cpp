#include "settings/core/settings_layout.h"

#include <algorithm>

#include "i18n/core/translation.h"

namespace {

// Shortcut rows.
constexpr std::int32_t kShortcutRowsStart = 218;
constexpr std::int32_t kGapBeforeFirstRow = 24;
constexpr std::int32_t kGapBeforeNoteRows = 32;
// Wide enough for the French prompt "Appuyez sur une touche" in the note
// font, and clear of the longest label ("Ajouter une entrée (cédulée)").
constexpr std::int32_t kKeyBoxLeft = 240;
constexpr std::int32_t kKeyBoxRight = 432;
constexpr std::int32_t kKeyBoxTopInset = 2;
constexpr std::int32_t kKeyBoxBottomInset = 22;

// Volume.
constexpr std::int32_t kMaxVolume = 100;
constexpr std::int32_t kKnobHalfWidth = 6;
constexpr std::int32_t kKnobTop = 92;
constexpr std::int32_t kKnobBottom = 106;

// Press areas larger than what is drawn there.
constexpr std::int32_t kTitleBandHeight = 30;
constexpr Rect kCloseCrossArea{kSettingsWidth - 22, 6, kSettingsWidth - 4, 24};
constexpr Rect kVolumeArea{84, 87, 390, 111};

bool Contains(const Rect& rect, const Point& point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

std::int32_t ClampVolume(std::int32_t volume) { return std::clamp(volume, 0, kMaxVolume); }

}  // namespace

ShortcutRowsLayout LayoutShortcutRows(const ShortcutTable& table) {
    ShortcutRowsLayout rows{};
    std::int32_t y = kShortcutRowsStart;
    bool metNoteRow = false;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i == 0) y += kGapBeforeFirstRow;
        if (!table[i].global && !metNoteRow) {
            y += kGapBeforeNoteRows;
            metNoteRow = true;
        }
        rows[i].top = y;
        rows[i].keyBox = Rect{kKeyBoxLeft, y + kKeyBoxTopInset, kKeyBoxRight, y + kKeyBoxBottomInset};
        y += kShortcutRowHeight;
    }
    return rows;
}

std::int32_t VolumeAtX(std::int32_t x) {
    // 64-bit: x comes from the mouse and may lie far outside the window.
    const std::int64_t volume =
        (std::int64_t{x} - kVolumeTrack.left) * kMaxVolume / kVolumeTrack.Width();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(volume, 0, kMaxVolume));
}

std::int32_t VolumeKnobX(std::int32_t volume) {
    return kVolumeTrack.left + kVolumeTrack.Width() * ClampVolume(volume) / kMaxVolume;
}

Rect VolumeKnobRect(std::int32_t volume) {
    const std::int32_t x = VolumeKnobX(volume);
    return Rect{x - kKnobHalfWidth, kKnobTop, x + kKnobHalfWidth, kKnobBottom};
}

Rect VolumeFillRect(std::int32_t volume) {
    return Rect{kVolumeTrack.left, kVolumeTrack.top, VolumeKnobX(volume), kVolumeTrack.bottom};
}

std::u16string SoundFileLabel(const std::u16string& path) {
    if (path.empty()) return Translate(u"(son par defaut)");
    const std::size_t lastSeparator = path.find_last_of(u"\\/");
    if (lastSeparator == std::u16string::npos) return path;
    return path.substr(lastSeparator + 1);
}

SettingsHitResult HitTestSettings(const Point& point, const ShortcutRowsLayout& rows,
                                  std::size_t languageCount) {
    if (Contains(kCloseCrossArea, point)) return {SettingsHit::CloseCross};
    if (Contains(kSoundCheckBox, point)) return {SettingsHit::SoundCheckBox};
    if (languageCount > 0 && Contains(kLanguageBox, point)) return {SettingsHit::LanguageBox};
    if (Contains(kVolumeArea, point)) return {SettingsHit::Volume};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (Contains(rows[i].keyBox, point)) return {SettingsHit::KeyBox, static_cast<int>(i)};
    }
    return {};
}

bool IsSettingsCaption(const Point& point) {
    return point.y < kTitleBandHeight && !Contains(kCloseCrossArea, point);
}

int NextLanguageIndex(int index, int count) {
    if (count <= 0) return 0;
    const std::int64_t next = (std::int64_t{index} + 1) % count;
    return static_cast<int>(next < 0 ? next + count : next);
}

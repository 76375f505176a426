// Where things are in the settings window and what a click there means. The
// window has a fixed size and every rectangle is in client pixels (right and
// bottom exclusive).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/rect.h"
#include "settings/core/shortcut_table.h"

constexpr std::int32_t kSettingsWidth = 440;
constexpr std::int32_t kSettingsHeight = 696;

// The volume track; the knob's centre moves along it.
constexpr Rect kVolumeTrack{90, 96, 384, 102};
// Drawn boxes that are also exactly where a press counts.
constexpr Rect kSoundCheckBox{414, 66, 432, 84};
constexpr Rect kLanguageBox{90, 150, 432, 172};

struct ShortcutRowLayout {
    std::int32_t top = 0;  // the label spans top .. top + kShortcutRowHeight
    Rect keyBox;

    bool operator==(const ShortcutRowLayout&) const = default;
};
// Sixteen rows fit above the buttons at this height.
constexpr std::int32_t kShortcutRowHeight = 24;
// Each heading fills the kShortcutHeadingHeight pixels above its first row.
constexpr std::int32_t kShortcutHeadingHeight = 24;

using ShortcutRowsLayout = std::array<ShortcutRowLayout, kShortcutCount>;

// Row tops and key boxes in table order: the global rows under their heading,
// then a gap and the note rows under theirs.
ShortcutRowsLayout LayoutShortcutRows(const ShortcutTable& table);

// The volume (0..100) a press or drag at client x sets: the 294 pixels of the
// track map to 0..100 %, anything left of it to 0, right of it to 100.
std::int32_t VolumeAtX(std::int32_t x);

// The x of the knob's centre for a volume; volumes outside 0..100 are drawn
// at the nearer end.
std::int32_t VolumeKnobX(std::int32_t volume);

// The ellipse of the knob and the filled part of the track for a volume.
Rect VolumeKnobRect(std::int32_t volume);
Rect VolumeFillRect(std::int32_t volume);

// The name shown after "Son : ": the translated "(son par defaut)" for an
// empty path, else what follows the last '\' or '/' (the whole path when it
// has neither).
std::u16string SoundFileLabel(const std::u16string& path);

enum class SettingsHit {
    CloseCross,
    SoundCheckBox,
    LanguageBox,
    Volume,
    KeyBox,
    Elsewhere,
};

struct SettingsHitResult {
    SettingsHit hit = SettingsHit::Elsewhere;
    int row = -1;  // for KeyBox: the row whose key box holds the point

    bool operator==(const SettingsHitResult&) const = default;
};

// What a left press at a client point touches; the first rule that matches
// wins. The language box only counts when there is a language to step to.
SettingsHitResult HitTestSettings(const Point& point, const ShortcutRowsLayout& rows,
                                  std::size_t languageCount);

// True where a press drags the window: the title band, except the close cross.
bool IsSettingsCaption(const Point& point);

// The language after `index`, wrapping around; 0 for an empty list.
int NextLanguageIndex(int index, int count);

#include "settings/core/settings_layout.h"

#include <gtest/gtest.h>

#include "fresh_translations.h"

#include <climits>
#include <string>

#include "i18n/core/built_in_english.h"
#include "i18n/core/translation.h"

namespace {

TEST(SettingsLayout, ShortcutRowTopsAndKeyBoxes) {
    const std::int32_t tops[] = {242, 266, 290, 314, 338, 362, 418, 442, 466, 490, 514, 538, 562, 586, 610, 634};
    const ShortcutRowsLayout rows = LayoutShortcutRows(DefaultShortcutTable());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].top, tops[i]) << i;
        EXPECT_EQ(rows[i].keyBox, (Rect{240, tops[i] + 2, 432, tops[i] + 22})) << i;
    }
}

TEST(SettingsLayout, VolumeSlider) {
    const struct {
        std::int32_t x;
        std::int32_t volume;
    } pressed[] = {
        {90, 0}, {92, 0}, {93, 1}, {237, 50}, {383, 99}, {384, 100}, {389, 100}, {-5000, 0}, {INT_MIN, 0},
        {INT_MAX, 100},
    }, knob[] = {{90, 0}, {237, 50}, {295, 70}, {384, 100}, {90, -3}, {384, INT_MAX}};
    for (const auto& c : pressed) EXPECT_EQ(VolumeAtX(c.x), c.volume) << c.x;
    for (const auto& c : knob) EXPECT_EQ(VolumeKnobX(c.volume), c.x) << c.volume;
    EXPECT_EQ(VolumeKnobRect(70), (Rect{289, 92, 301, 106}));
    EXPECT_EQ(VolumeFillRect(70), (Rect{90, 96, 295, 102}));
}

TEST(SettingsLayout, SoundFileLabel) {
    FreshTranslations translations;
    EXPECT_EQ(SoundFileLabel(u""), u"(son par defaut)");
    EXPECT_EQ(SoundFileLabel(u"C:\\Sons/a\\b/cloche.wav"), u"cloche.wav");
    EXPECT_EQ(SoundFileLabel(u"cloche.wav"), u"cloche.wav");
    FillBuiltInEnglish(ActiveTranslationTable());
    EXPECT_EQ(SoundFileLabel(u""), u"(default sound)");
}

TEST(SettingsLayout, PressesInRuleOrder) {
    using H = SettingsHit;
    const ShortcutRowsLayout rows = LayoutShortcutRows(DefaultShortcutTable());
    const struct {
        Point point;
        SettingsHitResult result;
    } cases[] = {
        {{418, 6}, {H::CloseCross}},     {{435, 23}, {H::CloseCross}},    {{436, 15}, {H::Elsewhere}},
        {{418, 24}, {H::Elsewhere}},     {{414, 66}, {H::SoundCheckBox}}, {{431, 83}, {H::SoundCheckBox}},
        {{432, 75}, {H::Elsewhere}},     {{90, 150}, {H::LanguageBox}},   {{431, 171}, {H::LanguageBox}},
        {{89, 160}, {H::Elsewhere}},     {{84, 87}, {H::Volume}},         {{389, 110}, {H::Volume}},
        {{390, 100}, {H::Elsewhere}},    {{84, 111}, {H::Elsewhere}},     {{240, 244}, {H::KeyBox, 0}},
        {{431, 263}, {H::KeyBox, 0}},    {{300, 345}, {H::KeyBox, 4}},    {{300, 425}, {H::KeyBox, 6}},
        {{300, 655}, {H::KeyBox, 15}},   {{300, 657}, {H::Elsewhere}},
        {{300, 265}, {H::Elsewhere}},  // the gap between two boxes
        {{239, 425}, {H::Elsewhere}},    {{12, 425}, {H::Elsewhere}},     {{200, 190}, {H::Elsewhere}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HitTestSettings(c.point, rows, 3), c.result) << c.point.x << "," << c.point.y;
    }
    EXPECT_EQ(HitTestSettings({200, 160}, rows, 0), SettingsHitResult{});
}

TEST(SettingsLayout, TitleBandDragsExceptOnTheCloseCross) {
    EXPECT_TRUE(IsSettingsCaption({100, 10}));
    EXPECT_TRUE(IsSettingsCaption({420, 29}));
    EXPECT_FALSE(IsSettingsCaption({420, 10}));
    EXPECT_FALSE(IsSettingsCaption({100, 30}));
}

TEST(SettingsLayout, LanguageIndexWrapsAround) {
    const struct {
        int index;
        int count;
        int next;
    } cases[] = {{0, 3, 1}, {1, 3, 2}, {2, 3, 0}, {0, 1, 0}, {5, 0, 0}, {-1, 3, 0}, {INT_MAX, 3, 2}};
    for (const auto& c : cases) EXPECT_EQ(NextLanguageIndex(c.index, c.count), c.next);
}

}  // namespace

#include "ui/dialog_placement.h"

#include <gtest/gtest.h>

namespace {

const Rect kWork{0, 0, 1600, 980};

TEST(DialogPlacement, KeepsTheDialogWhollyInsideTheWorkArea) {
    const struct {
        Rect desired;
        Rect placed;
    } cases[] = {
        {{100, 100, 430, 250}, {100, 100, 430, 250}},      // fits: unchanged
        {{1594, 100, 1924, 250}, {1270, 100, 1600, 250}},  // from a strip docked on the right
        {{100, 900, 430, 1050}, {100, 830, 430, 980}},     // near the bottom: buttons stay visible
        {{-400, -50, -70, 100}, {0, 0, 330, 150}},         // off the left and top
        {{1500, 950, 1830, 1100}, {1270, 830, 1600, 980}}, // bottom-right corner
    };
    for (const auto& c : cases) EXPECT_EQ(KeepInsideWorkArea(c.desired, kWork), c.placed);
}

TEST(DialogPlacement, TopLeftWinsWhenTheDialogIsLargerThanTheWorkArea) {
    EXPECT_EQ(KeepInsideWorkArea(Rect{50, 50, 2050, 1250}, Rect{10, 20, 810, 620}), (Rect{10, 20, 2010, 1220}));
}

TEST(DialogPlacement, WorkAreaAwayFromTheOriginOrOnAMonitorLeftOfThePrimary) {
    EXPECT_EQ(KeepInsideWorkArea(Rect{0, 0, 230, 286}, Rect{-1920, 40, 0, 1080}), (Rect{-230, 40, 0, 326}));
}

}  // namespace

#include "ui/core/dialog_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogPlacement, KeepsTheDialogWhollyInsideTheWorkArea) {
    const Rect work{0, 0, 1600, 980};
    const struct {
        Rect desired;
        Rect workArea;
        Rect placed;
    } cases[] = {
        {{100, 100, 430, 250}, work, {100, 100, 430, 250}},      // fits: unchanged
        {{1594, 100, 1924, 250}, work, {1270, 100, 1600, 250}},  // from a strip docked on the right
        {{100, 900, 430, 1050}, work, {100, 830, 430, 980}},     // near the bottom: buttons stay visible
        {{-400, -50, -70, 100}, work, {0, 0, 330, 150}},         // off the left and top
        {{1500, 950, 1830, 1100}, work, {1270, 830, 1600, 980}}, // bottom-right corner
        {{0, 0, 230, 286}, {-1920, 40, 0, 1080}, {-230, 40, 0, 326}},  // a monitor left of the primary
        {{50, 50, 2050, 1250}, {10, 20, 810, 620}, {10, 20, 2010, 1220}},  // larger: the top-left wins
    };
    for (const auto& c : cases) EXPECT_EQ(KeepInsideWorkArea(c.desired, c.workArea), c.placed) << c.desired.left;
}

}  // namespace

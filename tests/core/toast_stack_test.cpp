#include "reminders/core/toast_stack.h"

#include <gtest/gtest.h>

namespace {

TEST(ToastStack, CapacityIsTheSlotsBelowTheTopMarginAndAtLeastOne) {
    const struct {
        Rect workArea;
        int capacity;
    } cases[] = {
        {{0, 0, 1920, 1040}, 12}, {{0, 40, 1920, 1080}, 12},  // taskbar below, then on top
        {{0, 0, 800, 180}, 2},    {{0, 0, 800, 179}, 1},
        {{0, 0, 800, 95}, 1},     {{0, 0, 0, 0}, 1},          // lower than a toast; empty
        {{0, 50, 0, 0}, 1},       // inverted
    };
    for (const auto& c : cases) EXPECT_EQ(ToastCapacity(c.workArea), c.capacity) << c.workArea.bottom;
}

TEST(ToastStack, TheOldestMakeRoomSoThatTheNewToastHasAFreeSlot) {
    const struct {
        int count;
        int capacity;
        int evicted;
    } cases[] = {
        {0, 12, 0}, {11, 12, 0}, {12, 12, 1}, {15, 12, 4},
        {0, 1, 0},  {1, 1, 1},   {3, 0, 3},  // capacity 0 counts as 1
    };
    for (const auto& c : cases) EXPECT_EQ(ToastsToEvict(c.count, c.capacity), c.evicted);
}

TEST(ToastStack, SlotsStackDownFromTheTopRightCornerAndStayInsideTheWorkArea) {
    const struct {
        Rect workArea;
        int slot;
        Rect toast;
    } cases[] = {
        {{0, 0, 1920, 1040}, 0, {1598, 12, 1908, 88}},
        {{0, 0, 1920, 1040}, 2, {1598, 180, 1908, 256}},
        {{0, 0, 1920, 1040}, 11, {1598, 936, 1908, 1012}}, // the 13th, once the oldest made room
        {{-1920, 40, 0, 1080}, 1, {-322, 136, -12, 212}},  // monitor left of the primary
        {{0, 0, 1920, 300}, 5, {1598, 224, 1908, 300}},    // slot past the bottom: at the bottom
        {{0, 0, 1920, 300}, -1, {1598, 12, 1908, 88}},
        {{100, 0, 416, 600}, 0, {100, 12, 410, 88}},       // 316 wide: right margin gives way
        {{100, 0, 300, 600}, 0, {100, 12, 300, 88}},       // narrower than a toast: cut
        {{0, 500, 1920, 580}, 0, {1598, 504, 1908, 580}},  // 80 high: top margin gives way
        {{0, 500, 1920, 550}, 0, {1598, 500, 1908, 550}},  // shorter than a toast: cut
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToastSlotRect(c.workArea, c.slot), c.toast) << c.workArea.left << " " << c.slot;
    }
}

}  // namespace

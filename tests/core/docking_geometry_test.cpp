#include "notes/core/docking_geometry.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

const Rect kWorkArea{0, 0, 1920, 1040};
const Rect kNote{100, 100, 340, 300};

TEST(DockingGeometry, StripOnEachEdge) {
    EXPECT_EQ(StripRect(kNote, kWorkArea, kDockLeft), (Rect{0, 100, 6, 300}));
    EXPECT_EQ(StripRect(kNote, kWorkArea, kDockRight), (Rect{1914, 100, 1920, 300}));
    EXPECT_EQ(StripRect(kNote, kWorkArea, kDockTop), (Rect{100, 0, 340, 6}));
}

TEST(DockingGeometry, AnyOtherEdgeValueGivesTopStrip) {
    EXPECT_EQ(StripRect(kNote, kWorkArea, kDockNone), (Rect{100, 0, 340, 6}));
    EXPECT_EQ(StripRect(kNote, kWorkArea, 7), (Rect{100, 0, 340, 6}));
}

TEST(DockingGeometry, StripIsCutToWorkAreaLength) {
    const Rect tall{100, -50, 340, 1150};  // 1200 high
    EXPECT_EQ(StripRect(tall, kWorkArea, kDockLeft), (Rect{0, 0, 6, 1040}));
    const Rect wide{-100, 300, 2100, 500};
    EXPECT_EQ(StripRect(wide, kWorkArea, kDockTop), (Rect{0, 0, 1920, 6}));
}

TEST(DockingGeometry, StripIsMovedBackInsideWorkArea) {
    EXPECT_EQ(StripRect(Rect{100, 900, 340, 1100}, kWorkArea, kDockLeft),
              (Rect{0, 840, 6, 1040}));
    EXPECT_EQ(StripRect(Rect{100, -80, 340, 120}, kWorkArea, kDockRight),
              (Rect{1914, 0, 1920, 200}));
    EXPECT_EQ(StripRect(Rect{1800, 100, 2040, 300}, kWorkArea, kDockTop),
              (Rect{1680, 0, 1920, 6}));
}

TEST(DockingGeometry, StripOnWorkAreaAwayFromOrigin) {
    // A second monitor to the left, with a taskbar on top.
    const Rect work{-1280, 40, 0, 1024};
    const Rect note{-1000, 900, -760, 1100};
    EXPECT_EQ(StripRect(note, work, kDockLeft), (Rect{-1280, 824, -1274, 1024}));
    EXPECT_EQ(StripRect(note, work, kDockRight), (Rect{-6, 824, 0, 1024}));
    EXPECT_EQ(StripRect(note, work, kDockTop), (Rect{-1000, 40, -760, 46}));
}

TEST(DockingGeometry, StripOfCorruptRectangleStaysInsideWorkArea) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(StripRect(Rect{kMin, kMin, kMax, kMax}, kWorkArea, kDockLeft),
              (Rect{0, 0, 6, 1040}));
    EXPECT_EQ(StripRect(Rect{kMax - 10, kMax - 10, kMax, kMax}, kWorkArea, kDockLeft),
              (Rect{0, 1030, 6, 1040}));
    // An inverted rectangle gives an empty strip, not a negative one.
    EXPECT_EQ(StripRect(Rect{340, 300, 100, 100}, kWorkArea, kDockLeft).Height(), 0);
}

TEST(DockingGeometry, SnapRules) {
    struct Case {
        Rect dropped;
        std::int32_t expected;
    };
    const Case cases[] = {
        {{8, 400, 248, 600}, kDockLeft},
        {{9, 400, 249, 600}, kDockNone},
        {{-50, 400, 190, 600}, kDockLeft},
        {{1672, 400, 1912, 600}, kDockRight},
        {{1671, 400, 1911, 600}, kDockNone},
        {{600, 8, 840, 208}, kDockTop},
        {{600, 9, 840, 209}, kDockNone},
        {{600, 840, 840, 1040}, kDockNone},  // against the bottom
        {{600, 900, 840, 1100}, kDockNone},  // past the bottom
        {{0, 0, 240, 200}, kDockLeft},       // left comes before top
        {{1680, 0, 1920, 200}, kDockRight},  // right comes before top
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapEdge(c.dropped, kWorkArea), c.expected)
            << c.dropped.left << "," << c.dropped.top;
    }
}

TEST(DockingGeometry, SnapOnWorkAreaAwayFromOrigin) {
    const Rect work{1920, 40, 3840, 1080};
    EXPECT_EQ(SnapEdge(Rect{1928, 400, 2168, 600}, work), kDockLeft);
    EXPECT_EQ(SnapEdge(Rect{1929, 400, 2169, 600}, work), kDockNone);
    EXPECT_EQ(SnapEdge(Rect{2500, 48, 2740, 248}, work), kDockTop);
    EXPECT_EQ(SnapEdge(Rect{2500, 49, 2740, 249}, work), kDockNone);
}

TEST(DockingGeometry, NearestEdgeTies) {
    struct Case {
        Rect window;
        std::int32_t expected;
    };
    const Case cases[] = {
        {{50, 300, 1870, 500}, kDockLeft},    // 50 left, 50 right, 300 top
        {{50, 50, 1320, 250}, kDockLeft},     // 50 top, 50 left, 600 right
        {{50, 40, 1870, 240}, kDockTop},      // 40 top, 50 both sides
        {{1600, 50, 1870, 250}, kDockRight},  // 50 top, 50 right
        {{1600, 300, 1880, 500}, kDockRight},
        {{-30, 300, 210, 500}, kDockLeft},    // partly off the left edge
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearestEdge(c.window, kWorkArea), c.expected)
            << c.window.left << "," << c.window.top;
    }
}

TEST(DockingGeometry, DockAllPrefersLastEdge) {
    const Rect nearLeft{10, 500, 250, 700};
    EXPECT_EQ(DockAllEdge(kDockRight, nearLeft, kWorkArea), kDockRight);
    EXPECT_EQ(DockAllEdge(kDockTop, nearLeft, kWorkArea), kDockTop);
    EXPECT_EQ(DockAllEdge(kDockNone, nearLeft, kWorkArea), kDockLeft);
    EXPECT_EQ(DockAllEdge(static_cast<DockEdge>(9), nearLeft, kWorkArea), kDockLeft);  // stored junk
}

TEST(DockingGeometry, IsDockEdgeOnlyForTheThreeEdges) {
    EXPECT_FALSE(IsDockEdge(kDockNone));
    EXPECT_TRUE(IsDockEdge(kDockLeft));
    EXPECT_TRUE(IsDockEdge(kDockTop));
    EXPECT_TRUE(IsDockEdge(kDockRight));
    EXPECT_FALSE(IsDockEdge(4));
    EXPECT_FALSE(IsDockEdge(-1));
}

TEST(DockingGeometry, RectangleOffTheWorkAreaIsRepaired) {
    struct Case {
        Rect undocked;
        Rect expected;
    };
    const Case cases[] = {
        // On a removed monitor to the right: moved to 20, 20, size kept.
        {{2000, 100, 2240, 300}, {20, 20, 260, 220}},
        {{1920, 100, 2160, 300}, {20, 20, 260, 220}},   // touching is not overlapping
        {{-240, 100, 0, 300}, {20, 20, 260, 220}},
        {{100, 1040, 340, 1240}, {20, 20, 260, 220}},
        {{100, -200, 340, 0}, {20, 20, 260, 220}},
        // One pixel inside: unchanged.
        {{1919, 100, 2159, 300}, {1919, 100, 2159, 300}},
        {{-239, 100, 1, 300}, {-239, 100, 1, 300}},
        {{100, 100, 340, 300}, {100, 100, 340, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RepairUndockedRect(c.undocked, kWorkArea), c.expected)
            << c.undocked.left << "," << c.undocked.top;
    }
}

TEST(DockingGeometry, RepairUsesTheWorkAreaOrigin) {
    const Rect work{-1280, 40, 0, 1024};
    EXPECT_EQ(RepairUndockedRect(Rect{-3000, 100, -2760, 300}, work),
              (Rect{-1260, 60, -1020, 260}));
}

TEST(DockingGeometry, RepairOfHugeRectangleDoesNotOverflow) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const Rect repaired = RepairUndockedRect(Rect{kMin, 100, 0, 300}, kWorkArea);
    EXPECT_EQ(repaired.left, 20);
    EXPECT_EQ(repaired.top, 20);
    EXPECT_EQ(repaired.right, kMax);
    EXPECT_EQ(repaired.bottom, 220);
}

}  // namespace

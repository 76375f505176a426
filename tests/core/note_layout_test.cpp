#include "notes/core/note_layout.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;

TEST(NoteLayout, HeaderControlsAtTheirBoxEdges) {
    struct Case {
        Point point;
        HeaderControl expected;
    };
    const Case cases[] = {
        {{4, 6}, HeaderControl::NewNote},     {{21, 23}, HeaderControl::NewNote},
        {{22, 15}, HeaderControl::None},      {{13, 24}, HeaderControl::None},
        {{26, 6}, HeaderControl::Colour},     {{43, 23}, HeaderControl::Colour},
        {{44, 15}, HeaderControl::None},      {{50, 0}, HeaderControl::Title},
        {{139, 29}, HeaderControl::Title},    {{140, 15}, HeaderControl::None},
        {{50, 30}, HeaderControl::None},      {{146, 6}, HeaderControl::DockLeft},
        {{159, 23}, HeaderControl::DockLeft}, {{160, 15}, HeaderControl::DockTop},
        {{174, 15}, HeaderControl::DockRight}, {{187, 15}, HeaderControl::DockRight},
        {{188, 15}, HeaderControl::None},     {{194, 6}, HeaderControl::Pin},
        {{211, 23}, HeaderControl::Pin},      {{212, 15}, HeaderControl::None},
        {{218, 6}, HeaderControl::Delete},    {{235, 23}, HeaderControl::Delete},
        {{236, 15}, HeaderControl::None},     {{220, 5}, HeaderControl::None},
        {{220, 24}, HeaderControl::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeaderControlAt(c.point, kWidth), c.expected)
            << "at " << c.point.x << "," << c.point.y;
    }
}

TEST(NoteLayout, BoxesAtMinimumWidthDoNotOverlap) {
    constexpr int w = kMinNoteWidth;
    EXPECT_EQ(HeaderControlBox(HeaderControl::Title, w), (Rect{50, 0, 80, 30}));
    EXPECT_EQ(HeaderControlBox(HeaderControl::DockLeft, w).left, 86);
    EXPECT_EQ(HeaderControlBox(HeaderControl::DockRight, w).right, 128);
    EXPECT_EQ(HeaderControlBox(HeaderControl::Pin, w), (Rect{134, 6, 152, 24}));
    EXPECT_EQ(HeaderControlBox(HeaderControl::Delete, w), (Rect{158, 6, 176, 24}));

    const HeaderControl inOrder[] = {
        HeaderControl::NewNote, HeaderControl::Colour,    HeaderControl::Title,
        HeaderControl::DockLeft, HeaderControl::DockTop,  HeaderControl::DockRight,
        HeaderControl::Pin,     HeaderControl::Delete,
    };
    for (int i = 1; i < 8; ++i) {
        EXPECT_LE(HeaderControlBox(inOrder[i - 1], w).right, HeaderControlBox(inOrder[i], w).left);
    }
    EXPECT_EQ(HeaderControlBox(HeaderControl::None, w), Rect{});
}

TEST(NoteLayout, HitTestTable) {
    struct Case {
        Point point;
        NoteHit expected;
    };
    const Case cases[] = {
        {{0, 0}, NoteHit::TopLeft},         {{5, 5}, NoteHit::TopLeft},
        {{239, 0}, NoteHit::TopRight},      {{234, 5}, NoteHit::TopRight},
        {{0, 199}, NoteHit::BottomLeft},    {{5, 194}, NoteHit::BottomLeft},
        {{239, 199}, NoteHit::BottomRight}, {{234, 194}, NoteHit::BottomRight},
        {{0, 100}, NoteHit::Left},          {{239, 100}, NoteHit::Right},
        {{100, 199}, NoteHit::Bottom},      {{100, 193}, NoteHit::Client},
        {{25, 2}, NoteHit::Top},            {{45, 5}, NoteHit::Top},
        {{25, 6}, NoteHit::Caption},        {{100, 29}, NoteHit::Client},  // title
        {{100, 30}, NoteHit::Client},       {{6, 100}, NoteHit::Client},
        {{0, 10}, NoteHit::Left},           {{239, 10}, NoteHit::Right},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoteHitTest(c.point, kWidth, kHeight, false), c.expected)
            << "at " << c.point.x << "," << c.point.y;
    }
}

TEST(NoteLayout, TitleBoxTakesPrecedenceOverTopEdge) {
    EXPECT_EQ(NoteHitTest({50, 0}, kWidth, kHeight, false), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({139, 3}, kWidth, kHeight, false), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({49, 0}, kWidth, kHeight, false), NoteHit::Top);
    EXPECT_EQ(NoteHitTest({140, 0}, kWidth, kHeight, false), NoteHit::Top);
}

TEST(NoteLayout, GapBetweenTitleAndDockButtonsDragsTheNote) {
    for (int x = kWidth - 100; x < kWidth - 94; ++x) {
        EXPECT_EQ(NoteHitTest({x, 15}, kWidth, kHeight, false), NoteHit::Caption) << x;
    }
    EXPECT_EQ(NoteHitTest({kWidth - 94, 15}, kWidth, kHeight, false), NoteHit::Client);
}

TEST(NoteLayout, HeaderButtonsCutIntoTheSideEdges) {
    // The plus sign and the delete box reach into the 6-pixel side edges;
    // the buttons win there, as the lookup order puts them first.
    EXPECT_EQ(NoteHitTest({4, 10}, kWidth, kHeight, false), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({3, 10}, kWidth, kHeight, false), NoteHit::Left);
    EXPECT_EQ(NoteHitTest({kWidth - 5, 10}, kWidth, kHeight, false), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({kWidth - 4, 10}, kWidth, kHeight, false), NoteHit::Right);
}

TEST(NoteLayout, DockedNoteIsClientEverywhere) {
    EXPECT_EQ(NoteHitTest({0, 0}, 6, 200, true), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({5, 199}, 6, 200, true), NoteHit::Client);
    EXPECT_EQ(NoteHitTest({100, 3}, 240, 6, true), NoteHit::Client);
}

TEST(NoteLayout, TitleIsDrawnOnlyWhenItsBoxHasWidth) {
    EXPECT_TRUE(IsTitleDrawn(kMinNoteWidth));
    EXPECT_TRUE(IsTitleDrawn(151));
    EXPECT_FALSE(IsTitleDrawn(150));
    EXPECT_EQ(TitleBox(kMinNoteWidth), (Rect{50, 0, 80, 30}));
    // An inverted title box on a narrow note holds no point.
    EXPECT_NE(HeaderControlAt({60, 15}, 120), HeaderControl::Title);
}

TEST(NoteLayout, CascadeRunsThroughEightPlaces) {
    const Point expected[] = {{120, 120}, {148, 148}, {176, 176}, {204, 204}, {232, 232}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(CascadePosition(i), expected[i]) << i;
    }
    EXPECT_EQ(CascadePosition(7), (Point{316, 316}));
    EXPECT_EQ(CascadePosition(8), (Point{120, 120}));  // the ninth note
}

TEST(NoteLayout, CascadeSurvivesCounterOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(NextCascadeCounter(0), 1);
    EXPECT_EQ(NextCascadeCounter(kMax), kMin);
    EXPECT_EQ(CascadePosition(kMax), (Point{316, 316}));
    EXPECT_EQ(CascadePosition(kMin), (Point{120, 120}));
    EXPECT_EQ(CascadePosition(-1), (Point{316, 316}));
    EXPECT_EQ(CascadePosition(-7), (Point{148, 148}));
}

TEST(NoteLayout, CascadeSkipsPlacesWhereANoteAlreadyIs) {
    const Rect work{0, 0, 1600, 980};
    std::vector<Point> eightPlaces;
    for (int i = 0; i < 8; ++i) eightPlaces.push_back(CascadePosition(i));
    const struct {
        std::int32_t counter;
        std::vector<Point> taken;
        Rect workArea;
        Point place;
        std::int32_t next;
    } cases[] = {
        {0, {}, work, {120, 120}, 1},                              // a free desktop: as before
        {0, {{120, 120}}, work, {148, 148}, 2},                    // after a restart, over an old note
        {6, {{288, 288}, {316, 316}}, work, {120, 120}, 9},        // wraps round to the first place
        {0, {{121, 120}, {120, 121}}, work, {120, 120}, 1},        // only the exact corner counts
        {0, eightPlaces, work, {344, 120}, 1},                     // the next round, further right
        {0, eightPlaces, Rect{0, 0, 700, 600}, {120, 120}, 1},     // no room for it: the counter's place
    };
    for (const auto& c : cases) {
        const CascadeChoice choice = FreeCascadePlace(c.counter, c.taken, c.workArea);
        EXPECT_EQ(choice.position, c.place) << c.counter << " with " << c.taken.size() << " taken";
        EXPECT_EQ(choice.nextCounter, c.next);
    }
}

TEST(NoteLayout, NoteFromPinnedNoteGoesWhereItCanBeSeen) {
    const Rect work{0, 0, 1600, 980};
    const struct {
        Rect pinned;
        Point placed;
    } cases[] = {
        {{300, 200, 540, 400}, {300, 408}},     // below, left-aligned, 8 apart
        {{300, 572, 540, 772}, {300, 780}},     // just fits below (780 + 200 = 980)
        {{300, 700, 540, 900}, {300, 492}},     // near the bottom: above it
        {{300, 100, 540, 900}, {300, 780}},     // tall pinned note: neither fits, moved inside
        {{1500, 200, 1740, 400}, {1360, 408}},  // partly off the right edge
        {{300, 2147483000, 540, 2147483600}, {300, 780}},  // far off, no overflow
    };
    for (const auto& c : cases) EXPECT_EQ(NearPinnedPosition(c.pinned, work), c.placed);
}

TEST(NoteLayout, EditFillsTheBodyAndNeverGoesNegative) {
    EXPECT_EQ(NoteEditRect(240, 200), (Rect{4, 30, 236, 196}));
    const Rect strip = NoteEditRect(6, 200);  // a docked left strip
    EXPECT_EQ(strip.Width(), 0);
    EXPECT_EQ(strip.Height(), 166);
    EXPECT_EQ(NoteEditRect(240, 6).Height(), 0);
}

TEST(NoteLayout, DockTrianglesPointToTheirEdges) {
    // Cells start at w − 94 = 146, 160, 174; each triangle is inset 4 pixels.
    using Triangle = std::array<PointF, 3>;
    EXPECT_EQ(DockTriangle(0, 240), (Triangle{{{156, 11}, {156, 19}, {150, 15}}}));
    EXPECT_EQ(DockTriangle(1, 240), (Triangle{{{164, 19}, {170, 19}, {167, 11}}}));
    EXPECT_EQ(DockTriangle(2, 240), (Triangle{{{178, 11}, {178, 19}, {184, 15}}}));
    EXPECT_EQ(DockTriangle(3, 240), Triangle{});
    EXPECT_EQ(DockTriangle(-1, 240), Triangle{});
}

TEST(NoteLayout, MinimumSizeRaisesOnlyWhatIsTooSmall) {
    struct Case {
        int width, height, expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {0, 0, 180, 90}, {179, 89, 180, 90}, {180, 90, 180, 90},
        {500, 10, 500, 90}, {-40, 400, 180, 400},
    };
    for (const Case& c : cases) {
        int width = c.width, height = c.height;
        ApplyMinimumSize(width, height);
        EXPECT_EQ(width, c.expectedWidth);
        EXPECT_EQ(height, c.expectedHeight);
    }
}

}  // namespace

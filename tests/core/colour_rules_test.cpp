#include "ui/core/colour_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourRef kYellow = 0x00A0F6FF;    // R 255, G 246, B 160; L 238
constexpr ColourRef kDarkBlue = 0x00402010;  // R 16, G 32, B 64; L 30

ColourRef Grey(int level) {
    const auto c = static_cast<ColourRef>(level);
    return c | (c << 8) | (c << 16);
}

TEST(NoteColours, LuminanceWeighsTheChannels) {
    EXPECT_EQ(Luminance(kYellow), 238);
    EXPECT_EQ(Luminance(kDarkBlue), 30);
    EXPECT_EQ(Luminance(0x000000FF), 76);  // pure red: 299·255 / 1000
    EXPECT_EQ(Luminance(0x00FF0000), 29);  // pure blue
    EXPECT_EQ(Luminance(0xFF000000), 0);   // the high byte is not a channel
}

TEST(NoteColours, ContrastTextIsDarkOnLightAndLightOnDark) {
    EXPECT_EQ(ContrastTextColour(kYellow), 0x001E1E1Eu);
    EXPECT_EQ(ContrastTextColour(kDarkBlue), 0x00F0F0F0u);
    EXPECT_EQ(ContrastTextColour(Grey(140)), 0x00F0F0F0u);  // L = 140 is still dark
    EXPECT_EQ(ContrastTextColour(Grey(141)), 0x001E1E1Eu);
    EXPECT_TRUE(IsDarkColour(Grey(140)));
    EXPECT_FALSE(IsDarkColour(Grey(141)));
}

TEST(NoteColours, HeaderColourOfDefaultYellow) {
    EXPECT_EQ(HeaderColour(kYellow), 0x0083C9D1u);  // 255→209, 246→201, 160→131
}

// Each channel value times 0.82 in double precision, cut to an integer:
// the header shade of every channel value, 16 to a line.
constexpr int kHeaderShade[256] = {
      0,   0,   1,   2,   3,   4,   4,   5,   6,   7,   8,   9,   9,  10,  11,  12,
     13,  13,  14,  15,  16,  17,  18,  18,  19,  20,  21,  22,  22,  23,  24,  25,
     26,  27,  27,  28,  29,  30,  31,  31,  32,  33,  34,  35,  36,  36,  37,  38,
     39,  40,  41,  41,  42,  43,  44,  45,  45,  46,  47,  48,  49,  50,  50,  51,
     52,  53,  54,  54,  55,  56,  57,  58,  59,  59,  60,  61,  62,  63,  63,  64,
     65,  66,  67,  68,  68,  69,  70,  71,  72,  72,  73,  74,  75,  76,  77,  77,
     78,  79,  80,  81,  82,  82,  83,  84,  85,  86,  86,  87,  88,  89,  90,  91,
     91,  92,  93,  94,  95,  95,  96,  97,  98,  99, 100, 100, 101, 102, 103, 104,
    104, 105, 106, 107, 108, 109, 109, 110, 111, 112, 113, 113, 114, 115, 116, 117,
    118, 118, 119, 120, 121, 122, 122, 123, 124, 125, 126, 127, 127, 128, 129, 130,
    131, 132, 132, 133, 134, 135, 136, 136, 137, 138, 139, 140, 141, 141, 142, 143,
    144, 145, 145, 146, 147, 148, 149, 150, 150, 151, 152, 153, 154, 154, 155, 156,
    157, 158, 159, 159, 160, 161, 162, 163, 164, 164, 165, 166, 167, 168, 168, 169,
    170, 171, 172, 173, 173, 174, 175, 176, 177, 177, 178, 179, 180, 181, 182, 182,
    183, 184, 185, 186, 186, 187, 188, 189, 190, 191, 191, 192, 193, 194, 195, 195,
    196, 197, 198, 199, 200, 200, 201, 202, 203, 204, 205, 205, 206, 207, 208, 209,
};

TEST(NoteColours, HeaderColourMatchesDoubleTruncationOnEveryChannelValue) {
    for (int c = 0; c < 256; ++c) {
        // Three different values at once, so a mixed-up channel shows.
        const int red = c, green = 255 - c, blue = (c * 7) % 256;
        const ColourRef colour = static_cast<ColourRef>(red | (green << 8) | (blue << 16));
        const ColourRef expected = static_cast<ColourRef>(kHeaderShade[red] | (kHeaderShade[green] << 8) |
                                                          (kHeaderShade[blue] << 16));
        ASSERT_EQ(HeaderColour(colour), expected) << "channel value " << c;
    }
    // 150 × 0.82 is just below 123 in binary floating point.
    EXPECT_EQ(HeaderColour(Grey(150)), Grey(122));
}

TEST(NoteColours, MutedTextIsHalfwayBetweenNoteAndText) {
    EXPECT_EQ(MutedTextColour(kYellow), 0x005F8A8Eu);    // (255+30)/2, (246+30)/2, (160+30)/2
    EXPECT_EQ(MutedTextColour(kDarkBlue), 0x00988880u);  // (16+240)/2, (32+240)/2, (64+240)/2
}

TEST(NoteColours, MoveTowardsTruncatesEachChannel) {
    EXPECT_EQ(MoveTowards(kYellow, 30, 0.22), 0x0083C6CDu);     // 205.5, 198.48, 131.4
    EXPECT_EQ(MoveTowards(kDarkBlue, 240, 0.22), 0x00664D41u);  // 65.28, 77.76, 102.72
    EXPECT_EQ(MoveTowards(kYellow, 30, 0.0), kYellow);
    EXPECT_EQ(MoveTowards(kYellow, 240, 1.0), Grey(240));
}

TEST(NoteColours, MoveGreyTowardsStartsFromTheGrey) {
    EXPECT_EQ(MoveGreyTowards(30, kYellow, 0.45), 0x00587F83u);      // 131.25, 127.2, 88.5
    EXPECT_EQ(MoveGreyTowards(240, kDarkBlue, 0.45), 0x00A0928Bu);   // 139.2, 146.4, 160.8
}

TEST(NoteColours, ArgbPutsRedHighAndAlphaOnTop) {
    EXPECT_EQ(ArgbFromColourRef(0x00332211), 0xFF112233u);
    EXPECT_EQ(ArgbFromColourRef(0x00332211, 0x80), 0x80112233u);
    EXPECT_EQ(ArgbFromColourRef(0xAB332211, 0x00), 0x00112233u);
}

TEST(NoteColours, MenuColoursOnLightBaseMoveTowardsDarkGrey) {
    const MenuColours colours = OwnerDrawMenuColours(kYellow);
    EXPECT_EQ(colours.background, kYellow);
    EXPECT_EQ(colours.selectedBackground, 0x0083C6CDu);
    EXPECT_EQ(colours.separator, 0x0079B5BBu);  // 187.5, 181.2, 121
    EXPECT_EQ(colours.text, 0x001E1E1Eu);
    EXPECT_EQ(colours.greyedText, 0x00587F83u);
}

TEST(NoteColours, MenuColoursOnDarkBaseMoveTowardsLightGrey) {
    const MenuColours colours = OwnerDrawMenuColours(kDarkBlue);
    EXPECT_EQ(colours.background, kDarkBlue);
    EXPECT_EQ(colours.selectedBackground, 0x00664D41u);
    EXPECT_EQ(colours.separator, 0x00745E53u);  // 83.2, 94.4, 116.8
    EXPECT_EQ(colours.text, 0x00F0F0F0u);
    EXPECT_EQ(colours.greyedText, 0x00A0928Bu);
}

TEST(NoteColours, MenuOnBaseOfLuminance140CountsAsDark) {
    const MenuColours colours = OwnerDrawMenuColours(Grey(140));
    EXPECT_EQ(colours.text, 0x00F0F0F0u);
    EXPECT_EQ(colours.selectedBackground, Grey(162));  // 140 + 100·0.22 = 162
}

TEST(NoteColours, ButtonFaceIsHeaderShadeAndDarkerWhenPressed) {
    const ButtonColours released = RoundedButtonColours(kYellow, false);
    EXPECT_EQ(released.face, 0x0083C9D1u);
    EXPECT_EQ(released.border, 0x005F8D92u);  // 146.35, 141.15, 95.65
    EXPECT_EQ(released.text, 0x001E1E1Eu);

    const ButtonColours pressed = RoundedButtonColours(kYellow, true);
    EXPECT_EQ(pressed.face, 0x006BA4ABu);    // 171.38, 164.82, 107.42
    EXPECT_EQ(pressed.border, 0x00507579u);  // 121.65, 117.1, 80.05
    EXPECT_EQ(pressed.text, 0x001E1E1Eu);
}

TEST(NoteColours, ButtonTextFollowsTheFaceNotTheDialog) {
    // A light dialog (L 153) whose darkened face (L 125) is dark.
    const ButtonColours colours = RoundedButtonColours(Grey(153), false);
    EXPECT_EQ(colours.face, Grey(125));
    EXPECT_EQ(colours.text, 0x00F0F0F0u);
    EXPECT_EQ(colours.border, Grey(165));  // 125 + 115·0.35 = 165.25
}

}  // namespace

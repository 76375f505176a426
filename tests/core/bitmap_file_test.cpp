#include "app/core/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Header {
    std::int32_t width = 2;
    std::int32_t height = 3;
    std::uint16_t bitsPerPixel = 32;
    std::uint32_t compression = 0;
    std::uint32_t pixelsOffset = 54;
    std::size_t pixelBytes = 2 * 3 * 4;
    std::string magic = "BM";
};

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string BitmapFile(const Header& header) {
    std::string bytes(header.pixelsOffset + header.pixelBytes, '\0');
    bytes.replace(0, 2, header.magic);
    Put(bytes, 10, header.pixelsOffset, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<std::uint32_t>(header.width), 4);
    Put(bytes, 22, static_cast<std::uint32_t>(header.height), 4);
    Put(bytes, 28, header.bitsPerPixel, 2);
    Put(bytes, 30, header.compression, 4);
    return bytes;
}

TEST(BitmapFile, BottomUpAndTopDownRowsAreFoundFromTheTopRow) {
    const auto bottomUp = ReadBitmapPixels(BitmapFile({}));
    ASSERT_TRUE(bottomUp.has_value());
    EXPECT_EQ(bottomUp->width, 2);
    EXPECT_EQ(bottomUp->height, 3);
    EXPECT_EQ(bottomUp->topRowOffset, 54u + 2 * 8);  // the last row of the file
    EXPECT_EQ(bottomUp->rowStep, -8);

    Header topDown;
    topDown.height = -3;
    const auto rows = ReadBitmapPixels(BitmapFile(topDown));
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->height, 3);
    EXPECT_EQ(rows->topRowOffset, 54u);
    EXPECT_EQ(rows->rowStep, 8);
}

TEST(BitmapFile, RefusesWhatIsNotAWholeUncompressed32BitBitmap) {
    struct Case {
        const char* name;
        Header header;
        std::size_t cutAtEnd = 0;
    };
    Header other;
    other.magic = "PK";
    Header colours;
    colours.bitsPerPixel = 24;
    Header packed;
    packed.compression = 3;
    Header empty;
    empty.width = 0;
    Header huge;
    huge.height = 1 << 30;
    Header offsetPastEnd;
    offsetPastEnd.pixelsOffset = 54;
    offsetPastEnd.pixelBytes = 0;
    Header offsetInHeader;
    offsetInHeader.pixelsOffset = 20;
    offsetInHeader.pixelBytes = 54 - 20 + 24;
    const Case cases[] = {
        {"not a bitmap", other},          {"24-bit", colours},
        {"bit fields", packed},           {"no width", empty},
        {"absurd height", huge},          {"pixels missing", offsetPastEnd},
        {"last byte missing", {}, 1},     {"pixels inside the header", offsetInHeader},
    };
    for (const Case& c : cases) {
        std::string file = BitmapFile(c.header);
        file.resize(file.size() - c.cutAtEnd);
        EXPECT_FALSE(ReadBitmapPixels(file).has_value()) << c.name;
    }
    EXPECT_FALSE(ReadBitmapPixels("BM").has_value());
}

}  // namespace

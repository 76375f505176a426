#include "storage/core/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, ByteOrderMarksAreToldApart) {
    const struct {
        std::string_view bytes;
        ByteOrderMark mark;
    } cases[] = {
        {"\xEF\xBB\xBFX=1", ByteOrderMark::Utf8},
        {"\xFF\xFEX\0", ByteOrderMark::Utf16LittleEndian},
        {"\xFE\xFF\0X", ByteOrderMark::Utf16BigEndian},
        {"\xEF\xBB", ByteOrderMark::None},  // a cut mark is no mark
        {"\xFF", ByteOrderMark::None},
        {"X=1", ByteOrderMark::None},
        {"", ByteOrderMark::None},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectByteOrderMark(c.bytes), c.mark);
}

TEST(TextEncoding, Utf16IsDecodedInBothByteOrdersAndALoneLastByteIsMarked) {
    EXPECT_EQ(DecodeUtf16(std::string_view("A\0\xE9\0\x3D\xD8\x00\xDE", 8), false), u"Aé\U0001F600");
    EXPECT_EQ(DecodeUtf16(std::string_view("\0A\0\xE9", 4), true), u"Aé");
    EXPECT_EQ(DecodeUtf16(std::string_view("A\0B", 3), false), u"A\uFFFD");
    EXPECT_EQ(DecodeUtf16("", false), u"");
}

TEST(TextEncoding, NulCharactersBecomeVisibleAndNothingElseChanges) {
    EXPECT_EQ(WithVisibleNuls(std::u16string(u"a\0b\0", 4)), u"a\u2400b\u2400");
    EXPECT_EQ(WithVisibleNuls(u"plain\r\ntext"), u"plain\r\ntext");
}

}  // namespace

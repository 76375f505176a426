#include "storage/core/lenient_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

template <typename T>
struct NumberCase {
    std::u16string_view text;
    T expected;
};

std::string Printable(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

TEST(LenientNumber, Int32ReadsLikeWcstolWithA32BitLong) {
    const NumberCase<std::int32_t> cases[] = {
        {u"42", 42},
        {u"-17", -17},
        {u"+8", 8},
        {u"  \t 12", 12},
        {u"\u00A0\u3000 9", 9},  // non-ASCII white space is skipped too
        {u"300px", 300},
        {u"12 34", 12},
        {u"", 0},
        {u"abc", 0},
        {u"-", 0},
        {u"+ 5", 0},  // no white space between sign and digits
        {u"--5", 0},
        {u"0x10", 0},  // decimal only
        {u"2147483647", kInt32Max},
        {u"2147483648", kInt32Max},
        {u"-2147483648", kInt32Min},
        {u"-2147483649", kInt32Min},
        {u"99999999999999999999999999", kInt32Max},
        {u"-99999999999999999999999999", kInt32Min},
        {u"0000000000000000000000000007", 7},
        {std::u16string_view(u"5\0" u"6", 3), 5},
        {u"\u0661", 0},  // only ASCII digits count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadInt32(c.text), c.expected) << Printable(c.text);
    }
}

TEST(LenientNumber, Int64SaturatesAtItsOwnLimits) {
    const NumberCase<std::int64_t> cases[] = {
        {u"202503141530", 202503141530},
        {u"-202503141530", -202503141530},
        {u"9223372036854775807", kInt64Max},
        {u"9223372036854775808", kInt64Max},
        {u"-9223372036854775808", kInt64Min},
        {u"-9223372036854775809", kInt64Min},
        {u"184467440737095516160", kInt64Max},
        {u" 7|rest", 7},
        {u"|1", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadInt64(c.text), c.expected) << Printable(c.text);
    }
}

TEST(LenientNumber, Hex32ReadsLikeWcstoulBase16) {
    const NumberCase<std::uint32_t> cases[] = {
        {u"FF0000", 0xFF0000},
        {u"ff00aa", 0xFF00AA},
        {u"0x1F", 0x1F},
        {u"0X1f", 0x1F},
        {u"  A0F6FF", 0xA0F6FF},
        {u"12g4", 0x12},
        {u"", 0},
        {u"zz", 0},
        {u"0x", 0},
        {u"0xg", 0},
        {u"-1", 0xFFFFFFFF},  // negated modulo 2^32
        {u"-0x10", 0xFFFFFFF0},
        {u"+10", 0x10},
        {u"FFFFFFFF", 0xFFFFFFFF},
        {u"100000000", 0xFFFFFFFF},
        {u"-100000000", 0xFFFFFFFF},
        {u"00000000000000000000ABC", 0xABC},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadHexUnsigned32(c.text), c.expected) << Printable(c.text);
    }
}

TEST(LenientNumber, Hex64ReadsAFullSixteenDigitId) {
    const NumberCase<std::uint64_t> cases[] = {
        {u"01DB2C3F4A5B6C7D.txt", 0x01DB2C3F4A5B6C7D},
        {u"01db2c3f4a5b6c7d.txt", 0x01DB2C3F4A5B6C7D},
        {u"FFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFF},
        {u"10000000000000000", 0xFFFFFFFFFFFFFFFF},
        {u"-1", 0xFFFFFFFFFFFFFFFF},
        {u".txt", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadHexUnsigned64(c.text), c.expected) << Printable(c.text);
    }
}

}  // namespace

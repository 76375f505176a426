#include "storage/core/lenient_number.h"

#include <array>
#include <charconv>
#include <limits>

namespace {

struct Cursor {
    std::u16string_view text;
    std::size_t position = 0;

    bool AtEnd() const { return position >= text.size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : text[position]; }
    char16_t PeekAfterNext() const {
        return position + 1 < text.size() ? text[position + 1] : u'\0';
    }
};

void SkipWideSpace(Cursor& cursor) {
    while (!cursor.AtEnd() && IsWideSpace(cursor.Peek())) ++cursor.position;
}

// Consumes an optional sign; true when it was '-'.
bool ReadSign(Cursor& cursor) {
    const char16_t c = cursor.Peek();
    if (c != u'+' && c != u'-') return false;
    ++cursor.position;
    return c == u'-';
}

int DecimalDigit(char16_t c) { return (c >= u'0' && c <= u'9') ? c - u'0' : -1; }

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads the digits of one base, stopping at the first character that is not
// one; sets `overflow` when the value would pass `limit`.
std::uint64_t ReadMagnitude(Cursor& cursor, unsigned base, int (*digitOf)(char16_t),
                            std::uint64_t limit, bool& overflow) {
    std::uint64_t value = 0;
    overflow = false;
    while (!cursor.AtEnd() && digitOf(cursor.Peek()) >= 0) {
        const auto d = static_cast<std::uint64_t>(digitOf(cursor.Peek()));
        if (overflow || value > (limit - d) / base) {
            overflow = true;
        } else {
            value = value * base + d;
        }
        ++cursor.position;
    }
    return value;
}

template <typename Signed>
Signed ReadSignedDecimal(std::u16string_view text) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<Signed>::max());
    Cursor cursor{text};
    SkipWideSpace(cursor);
    const bool negative = ReadSign(cursor);
    // The negative range reaches one further than the positive one.
    const std::uint64_t limit = negative ? kMax + 1 : kMax;
    bool overflow = false;
    const std::uint64_t magnitude = ReadMagnitude(cursor, 10, DecimalDigit, limit, overflow);
    if (overflow) {
        return negative ? std::numeric_limits<Signed>::min() : std::numeric_limits<Signed>::max();
    }
    if (!negative) return static_cast<Signed>(magnitude);
    if (magnitude == kMax + 1) return std::numeric_limits<Signed>::min();
    return static_cast<Signed>(-static_cast<Signed>(magnitude));
}

template <typename Unsigned>
Unsigned ReadUnsignedHex(std::u16string_view text) {
    constexpr Unsigned kMax = std::numeric_limits<Unsigned>::max();
    Cursor cursor{text};
    SkipWideSpace(cursor);
    const bool negative = ReadSign(cursor);
    // A "0x" prefix counts only when a hex digit follows it; otherwise the
    // '0' alone is the number, which gives the same value.
    if (cursor.Peek() == u'0' &&
        (cursor.PeekAfterNext() == u'x' || cursor.PeekAfterNext() == u'X') &&
        cursor.position + 2 < text.size() && HexDigit(text[cursor.position + 2]) >= 0) {
        cursor.position += 2;
    }
    bool overflow = false;
    const std::uint64_t magnitude = ReadMagnitude(cursor, 16, HexDigit, kMax, overflow);
    if (overflow) return kMax;
    const auto value = static_cast<Unsigned>(magnitude);
    return negative ? static_cast<Unsigned>(Unsigned{0} - value) : value;
}

}  // namespace

std::int32_t ReadInt32(std::u16string_view text) { return ReadSignedDecimal<std::int32_t>(text); }

std::int64_t ReadInt64(std::u16string_view text) { return ReadSignedDecimal<std::int64_t>(text); }

std::uint32_t ReadHexUnsigned32(std::u16string_view text) {
    return ReadUnsignedHex<std::uint32_t>(text);
}

std::uint64_t ReadHexUnsigned64(std::u16string_view text) {
    return ReadUnsignedHex<std::uint64_t>(text);
}

std::u16string DecimalText(std::int64_t value) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::u16string(digits.data(), result.ptr);
}

std::u16string PaddedDecimalText(std::int64_t value, std::size_t width) {
    std::u16string text = DecimalText(value);
    const std::size_t digitsStart = value < 0 ? 1 : 0;
    const std::size_t digits = text.size() - digitsStart;
    if (digits < width) text.insert(digitsStart, width - digits, u'0');
    return text;
}

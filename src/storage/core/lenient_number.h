// Numbers in the text of every data file of the program: lenient readers
// that never fail (they read what they can and give 0 when there is nothing
// to read), and the one decimal writer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The wide-character white-space class: the characters the readers skip and
// that a blank text may consist of.
constexpr bool IsWideSpace(char16_t c) {
    return (c >= u'\u0009' && c <= u'\u000D') || c == u' ' || c == u'\u0085' || c == u'\u00A0' ||
           c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200A') || c == u'\u2028' ||
           c == u'\u2029' || c == u'\u202F' || c == u'\u205F' || c == u'\u3000';
}

// Signed decimal: leading white space, optional sign, digits up to the first
// other character. No digits gives 0; out-of-range values saturate.
std::int32_t ReadInt32(std::u16string_view text);
std::int64_t ReadInt64(std::u16string_view text);

// Unsigned hexadecimal: leading white space, optional sign ('-' negates modulo
// 2^N), optional 0x/0X, hex digits up to the first other character. No digits
// gives 0; overflow saturates at the type's maximum.
std::uint32_t ReadHexUnsigned32(std::u16string_view text);
std::uint64_t ReadHexUnsigned64(std::u16string_view text);

// The value in plain decimal, with a leading '-' when negative.
std::u16string DecimalText(std::int64_t value);

// The same, with leading zeros up to `width` digits (after the sign).
std::u16string PaddedDecimalText(std::int64_t value, std::size_t width);

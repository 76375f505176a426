// Byte-order marks, UTF-16 decoding and the characters an edit control
// cannot hold: what it takes to show a note file written by another editor
// without losing any of its text.
#pragma once

#include <string>
#include <string_view>

enum class ByteOrderMark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The mark the bytes start with (EF BB BF, FF FE or FE FF), or None.
ByteOrderMark DetectByteOrderMark(std::string_view bytes);

// UTF-16 code units, two bytes each, after the two-byte mark; a lone last
// byte becomes U+FFFD. Unpaired surrogates are kept as they are.
std::u16string DecodeUtf16(std::string_view bytesAfterMark, bool bigEndian);

// U+2400 SYMBOL FOR NULL, shown where the text holds a NUL character.
constexpr char16_t kVisibleNul = u'\u2400';

// The text with every NUL character replaced by kVisibleNul: an edit control
// ends its text at the first NUL, so the rest would be lost at the next save.
std::u16string WithVisibleNuls(std::u16string text);

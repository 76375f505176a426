// Turns a fuzzer's bytes into the UTF-16 text the file readers take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Pairs of bytes, little-endian; an odd last byte is one code unit of its own.
inline std::u16string TextFromBytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size / 2 + 1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    if (size % 2 != 0) text.push_back(static_cast<char16_t>(data[size - 1]));
    return text;
}

// Turns a fuzzer's bytes into the UTF-16 text the file readers take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

// The first byte chooses how the rest becomes text: one code unit per byte,
// which spells the ASCII of a format quickly, or little-endian pairs, which
// reach every UTF-16 code unit.
inline std::u16string TextFromInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    if (data[0] % 2 == 0) return TextFromBytes(data + 1, size - 1);
    return std::u16string(data + 1, data + size);
}

// A broken property is a crash, which the fuzzer reports with its input.
inline void Check(bool holds) {
    if (!holds) std::abort();
}

// Turns a fuzzer's bytes into the UTF-16 text the file readers take, and the
// checks and mutations the file reader targets share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <string_view>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

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

// Reads `written` into `fresh`, which must then equal `expected` and write
// the very same text again: writing is deterministic and loses nothing.
template <typename Record, typename Read, typename Write>
void CheckReadsBack(const std::u16string& written, Record fresh, const Record& expected, Read read, Write write) {
    read(written, fresh);
    Check(fresh == expected);
    Check(write(fresh) == written);
}

// For a target's LLVMFuzzerCustomMutator: one mutation in four inserts one of
// `tokens`, pieces of a file format that random byte changes would hardly
// ever spell out in UTF-16, at a code-unit boundary; the others are
// libFuzzer's own.
inline std::size_t MutateWithFormatTokens(std::span<const std::u16string_view> tokens, std::uint8_t* data,
                                          std::size_t size, std::size_t maxSize, unsigned int randomSeed) {
    std::minstd_rand random(randomSeed);
    if (random() % 4 != 0) return LLVMFuzzerMutate(data, size, maxSize);
    const std::u16string_view token = tokens[random() % tokens.size()];
    const std::size_t tokenBytes = token.size() * 2;
    if (size + tokenBytes > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    const std::size_t offset = (random() % (size / 2 + 1)) * 2;
    std::memmove(data + offset + tokenBytes, data + offset, size - offset);
    for (std::size_t i = 0; i < token.size(); ++i) {
        data[offset + 2 * i] = static_cast<std::uint8_t>(token[i] & 0xFF);
        data[offset + 2 * i + 1] = static_cast<std::uint8_t>(token[i] >> 8);
    }
    return size + tokenBytes;
}

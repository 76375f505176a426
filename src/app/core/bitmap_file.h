// Where the pixels of a 32-bit bitmap file (.bmp) lie, read from its headers
// alone: the splash draws its logo straight from the program's resource, with
// no picture decoder loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

struct BitmapPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Offset of the top row's first byte in the file, and the step from one
    // row to the next (negative for the usual bottom-up file).
    std::size_t topRowOffset = 0;
    std::int32_t rowStep = 0;
};

// The layout of an uncompressed 32-bit, blue-green-red-alpha bitmap file;
// nothing for any other kind, or when the pixels do not all lie in the file.
std::optional<BitmapPixels> ReadBitmapPixels(std::string_view file);

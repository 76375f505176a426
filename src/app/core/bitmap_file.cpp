#include "app/core/bitmap_file.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint16_t kBitsPerPixel = 32;
constexpr std::int32_t kMaxSide = 4096;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

}  // namespace

std::optional<BitmapPixels> ReadBitmapPixels(std::string_view file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file.substr(0, 2) != "BM") return std::nullopt;
    const std::size_t pixelsOffset = ReadLittleEndian(file, 10, 4);
    const std::size_t info = kFileHeaderSize;
    const std::int32_t width = static_cast<std::int32_t>(ReadLittleEndian(file, info + 4, 4));
    const std::int32_t height = static_cast<std::int32_t>(ReadLittleEndian(file, info + 8, 4));
    const auto bitsPerPixel = static_cast<std::uint16_t>(ReadLittleEndian(file, info + 14, 2));
    const std::uint32_t compression = ReadLittleEndian(file, info + 16, 4);
    if (ReadLittleEndian(file, info, 4) < kInfoHeaderSize || bitsPerPixel != kBitsPerPixel ||
        compression != kUncompressed) {
        return std::nullopt;
    }
    const bool topDown = height < 0;
    const std::int32_t rows = topDown ? -height : height;
    if (width <= 0 || width > kMaxSide || rows <= 0 || rows > kMaxSide) return std::nullopt;
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(rows);
    if (pixelsOffset < kFileHeaderSize + kInfoHeaderSize || pixelsOffset > file.size() ||
        file.size() - pixelsOffset < pixelBytes) {
        return std::nullopt;
    }
    BitmapPixels pixels;
    pixels.width = width;
    pixels.height = rows;
    pixels.topRowOffset = topDown ? pixelsOffset : pixelsOffset + pixelBytes - stride;
    pixels.rowStep = topDown ? static_cast<std::int32_t>(stride) : -static_cast<std::int32_t>(stride);
    return pixels;
}

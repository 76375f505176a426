// The program's own resources: the icon group and the splash logo.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "app/core/bitmap_file.h"
#include "resource_ids.h"

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct IconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

const BYTE* ResourceBytes(LPCWSTR type, int id, DWORD* size) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return nullptr;
    *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

}  // namespace

TEST(Resources, IconGroupHasTheFiveSizesInThirtyTwoBitColour) {
    DWORD size = 0;
    const auto* group = reinterpret_cast<const IconDirectory*>(ResourceBytes(RT_GROUP_ICON, IDI_QUILLBOARD, &size));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 5);
    std::vector<int> sizes;
    for (int i = 0; i < group->count; ++i) {
        const IconDirectoryEntry& entry = group->entries[i];
        EXPECT_EQ(entry.width, entry.height);
        sizes.push_back(entry.width == 0 ? 256 : entry.width);
        EXPECT_EQ(entry.bitCount, 32);
        // Each entry names an image of the stated size among the resources.
        DWORD imageSize = 0;
        EXPECT_NE(ResourceBytes(RT_ICON, entry.id, &imageSize), nullptr) << entry.id;
        EXPECT_EQ(imageSize, entry.bytesInResource) << entry.id;
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 64, 256}));
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLBOARD)), nullptr);
}

TEST(Resources, LogoIsThe116PixelSplashBitmapWithAlpha) {
    DWORD size = 0;
    const BYTE* bytes = ResourceBytes(RT_RCDATA, IDR_LOGO_BMP, &size);
    ASSERT_NE(bytes, nullptr);
    const std::string_view file(reinterpret_cast<const char*>(bytes), size);
    const std::optional<BitmapPixels> pixels = ReadBitmapPixels(file);
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(pixels->width, 116);
    EXPECT_EQ(pixels->height, 116);
    // The corners are transparent and the note in the middle is opaque: the
    // alpha is there, and in the fourth byte of each pixel.
    const auto alphaAt = [&](int x, int y) {
        return static_cast<unsigned char>(file[pixels->topRowOffset + static_cast<ptrdiff_t>(y) * pixels->rowStep +
                                               static_cast<size_t>(x) * 4 + 3]);
    };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(115, 115), 0);
    EXPECT_EQ(alphaAt(58, 58), 255);
}

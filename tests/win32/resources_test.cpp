// The program's own resources: the icon group and the PNG logo.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

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

std::uint32_t BigEndian32(const BYTE* bytes) {
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8) | bytes[3];
}

}  // namespace

TEST(Resources, IconGroupHasTheFiveSizesInThirtyTwoBitColour) {
    DWORD size = 0;
    const auto* group = reinterpret_cast<const IconDirectory*>(ResourceBytes(RT_GROUP_ICON, IDI_QUILLBOARD, &size));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 5);
    std::vector<int> widths, heights;
    for (int i = 0; i < group->count; ++i) {
        const IconDirectoryEntry& entry = group->entries[i];
        widths.push_back(entry.width == 0 ? 256 : entry.width);
        heights.push_back(entry.height == 0 ? 256 : entry.height);
        EXPECT_EQ(entry.bitCount, 32);
        // Each entry names an image of the stated size among the resources.
        DWORD imageSize = 0;
        EXPECT_NE(ResourceBytes(RT_ICON, entry.id, &imageSize), nullptr) << entry.id;
        EXPECT_EQ(imageSize, entry.bytesInResource) << entry.id;
    }
    std::sort(widths.begin(), widths.end());
    std::sort(heights.begin(), heights.end());
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 64, 256}));
    EXPECT_EQ(heights, widths);
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLBOARD)), nullptr);
}

TEST(Resources, LogoIsA1024PixelPngWithAlpha) {
    DWORD size = 0;
    const BYTE* png = ResourceBytes(RT_RCDATA, IDR_LOGO_PNG, &size);
    ASSERT_NE(png, nullptr);
    ASSERT_GT(size, 33u);
    EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1A\n", 8), 0);
    EXPECT_EQ(std::memcmp(png + 12, "IHDR", 4), 0);
    EXPECT_EQ(BigEndian32(png + 16), 1024u);
    EXPECT_EQ(BigEndian32(png + 20), 1024u);
    EXPECT_EQ(png[25], 6);  // colour type: truecolour with alpha
}

// The program's own resources: the icon group and the PNG logo.
#include <gtest/gtest.h>
#include <windows.h>

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

TEST(Resources, LogoIsA1024PixelPngWithAlpha) {
    DWORD size = 0;
    const BYTE* png = ResourceBytes(RT_RCDATA, IDR_LOGO_PNG, &size);
    ASSERT_NE(png, nullptr);
    ASSERT_GT(size, 33u);
    EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1A\n", 8), 0);
    // The header chunk: width and height as big-endian 32-bit numbers, then
    // the bit depth and colour type 6, truecolour with alpha.
    EXPECT_EQ(std::memcmp(png + 12, "IHDR\0\0\x04\0\0\0\x04\0", 12), 0);
    EXPECT_EQ(png[25], 6);
}

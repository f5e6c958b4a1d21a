// The pack and icon the build drew and packed: read back with the program's
// own reader and checked against the item table.

#include "skin/SkinPack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t BigEndian32(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    }
    return value;
}

unsigned LittleEndian16(const std::string& data, std::size_t at) {
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

struct ItemSize {
    int first, last;
    std::uint32_t width, height;
};

// Items and their pixel sizes, as the buttons and captions need them.
constexpr ItemSize kItemSizes[] = {
    {1, 9, 45, 45},    {10, 15, 95, 35}, {16, 18, 26, 22},
    {19, 24, 282, 30}, {25, 27, 31, 27}, {28, 30, 45, 45},
};

std::string ItemFile(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "/item%02d.png", number);
    return SKIN_ART_DIR + std::string(name);
}

TEST(SkinArtwork, BuiltPackUnpacksIntoTheDrawnItemsInOrder) {
    const std::string pack = ReadFile(SKIN_PACK_FILE);
    ASSERT_FALSE(pack.empty()) << SKIN_PACK_FILE;
    SkinPack images(kSkinPackItemCount);
    std::string message;
    ASSERT_TRUE(UnpackSkinPackData(pack, images, message));
    EXPECT_EQ(message, kSkinPackUnpacked);
    ASSERT_EQ(images.size(), kSkinPackItemCount);
    for (int number = 1; number <= 30; ++number) {
        EXPECT_EQ(images[number - 1], ReadFile(ItemFile(number))) << "item " << number;
    }
}

TEST(SkinArtwork, EveryItemIsAnRgbaPngOfItsListedSize) {
    for (const ItemSize& range : kItemSizes) {
        for (int number = range.first; number <= range.last; ++number) {
            const std::string png = ReadFile(ItemFile(number));
            ASSERT_GE(png.size(), 33u) << "item " << number;
            EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n") << "item " << number;
            EXPECT_EQ(png.substr(12, 4), "IHDR") << "item " << number;
            EXPECT_EQ(BigEndian32(png, 16), range.width) << "item " << number;
            EXPECT_EQ(BigEndian32(png, 20), range.height) << "item " << number;
            EXPECT_EQ(png[24], 8) << "item " << number << ": bit depth";
            EXPECT_EQ(png[25], 6) << "item " << number << ": colour type RGBA";
        }
    }
}

TEST(SkinArtwork, IconHoldsFourThirtyTwoBitImagesOf64To16Pixels) {
    const std::string ico = ReadFile(SKIN_ART_DIR "/LanxiFM.ico");
    ASSERT_GE(ico.size(), 6u + 4 * 16);
    EXPECT_EQ(LittleEndian16(ico, 0), 0u);
    EXPECT_EQ(LittleEndian16(ico, 2), 1u) << "type: icon";
    ASSERT_EQ(LittleEndian16(ico, 4), 4u) << "image count";
    const unsigned sizes[] = {64, 32, 24, 16};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(static_cast<unsigned char>(ico[entry]), sizes[i]);
        EXPECT_EQ(static_cast<unsigned char>(ico[entry + 1]), sizes[i]);
        EXPECT_EQ(LittleEndian16(ico, entry + 6), 32u) << "bits per pixel of " << sizes[i];
        const std::size_t bytes = LittleEndian16(ico, entry + 8) | LittleEndian16(ico, entry + 10)
                                                                       << 16;
        const std::size_t offset = LittleEndian16(ico, entry + 12) | LittleEndian16(ico, entry + 14)
                                                                         << 16;
        EXPECT_LE(offset + bytes, ico.size()) << "image of " << sizes[i];
        // A 40-byte bitmap header, then 32-bit pixels and the 1-bit mask.
        const std::size_t rowMask = (sizes[i] + 31) / 32 * 4;
        EXPECT_EQ(bytes, 40 + sizes[i] * sizes[i] * 4 + rowMask * sizes[i]);
    }
}

} // namespace

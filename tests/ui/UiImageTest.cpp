// Loading images from bytes, icons and bitmaps.

#include "TestImages.h"
#include "ui/CaptionSprite.h"
#include "ui/Framework.h"
#include "ui/controls/UiImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Images : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartFramework(); }
};

// A 16 x 16 icon from 32-bit pixels with the given alpha.
HICON MakeIcon(const std::vector<BYTE>& alphas) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = 16;
    header.bV5Height = -16;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t a = alphas[static_cast<size_t>(i) % alphas.size()];
        pixels[i] = (a << 24) | (a << 16); // red, premultiplied
    }
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

} // namespace

TEST_F(Images, PngFromBytesHasItsTrueSizeAndNoTimeFrames) {
    UiImage image;
    ASSERT_NE(image.LoadFromBytes(CaptionSpritePng()), nullptr);
    EXPECT_EQ(image.GetWidth(), 729u);
    EXPECT_EQ(image.GetHeight(), 20u);
    std::vector<std::int32_t> delays;
    EXPECT_FALSE(image.GetFrameDelays(delays));
}

TEST_F(Images, AnimatedGifHasItsFramesAndOneDelayPerFrame) {
    UiImage image;
    ASSERT_NE(image.LoadFromBytes(TwoFrameGif()), nullptr);
    EXPECT_EQ(image.GetFrameCount(), 2u);
    std::vector<std::int32_t> delays;
    ASSERT_TRUE(image.GetFrameDelays(delays));
    EXPECT_EQ(delays, (std::vector<std::int32_t>{10, 20}));
    EXPECT_TRUE(image.SelectFrame(1));
}

TEST_F(Images, EmptyOrBrokenBytesLeaveTheImageEmpty) {
    for (const std::string& bytes :
         {std::string(), std::string("not an image at all"), std::string("\x89PNG\r\n\x1a\n", 8)}) {
        UiImage image;
        EXPECT_EQ(image.LoadFromBytes(bytes), nullptr);
        EXPECT_TRUE(image.Empty());
        EXPECT_EQ(image.GetWidth(), 0u);
        EXPECT_EQ(image.GetFrameCount(), 0u);
    }
}

TEST_F(Images, LoadingAgainReplacesTheFirstImage) {
    UiImage image;
    image.LoadFromBytes(CaptionSpritePng());
    image.LoadFromBytes(TwoFrameGif());
    EXPECT_EQ(image.GetWidth(), 4u);
    image.LoadFromBytes("broken");
    EXPECT_TRUE(image.Empty()) << "a failed load leaves the object empty";
}

TEST_F(Images, IconWithSoftEdgesKeepsItsPartialAlpha) {
    HICON icon = MakeIcon({128, 255, 0});
    UiImage image;
    ASSERT_NE(image.LoadFromIcon(icon), nullptr);
    EXPECT_EQ(image.GetWidth(), 16u);
    EXPECT_EQ(image.GetPixel(0, 0) >> 24, 128u) << "the half-transparent pixel survives";
    EXPECT_EQ(image.GetPixel(1, 0) >> 24, 255u);
    DestroyIcon(icon);
}

TEST_F(Images, IconWithoutPartialAlphaIsMadeFromTheIcon) {
    HICON icon = MakeIcon({255, 0});
    UiImage image;
    ASSERT_NE(image.LoadFromIcon(icon), nullptr);
    EXPECT_EQ(image.GetWidth(), 16u);
    EXPECT_EQ(image.GetPixel(0, 0) >> 24, 255u);
    DestroyIcon(icon);
}

TEST_F(Images, HBitmapLoadsAtItsSize) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 7, 5);
    ReleaseDC(nullptr, screen);
    UiImage image;
    ASSERT_NE(image.LoadFromHBitmap(bitmap), nullptr);
    EXPECT_EQ(image.GetWidth(), 7u);
    EXPECT_EQ(image.GetHeight(), 5u);
    DeleteObject(bitmap);
}

// Drawing routines on a GDI+ bitmap, read back pixel by pixel.

#include "ui/Fonts.h"
#include "ui/Framework.h"
#include "ui/controls/Drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Canvas : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool started = [] {
            StartFramework();
            return true;
        }();
        (void)started;
        gp::GdipCreateBitmapFromScan0(kSize, kSize, 0, PixelFormat32bppARGB, nullptr,
                                      bitmap.ReceiveBitmap());
        gp::GdipGetImageGraphicsContext(bitmap.Get(), graphics.Receive());
        gp::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeAntiAlias);
        gp::GdipSetTextRenderingHint(graphics.Get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
    }

    ArgbColor Pixel(int x, int y) const {
        Gdiplus::ARGB pixel = 0;
        gp::GdipBitmapGetPixel(bitmap.Bitmap(), x, y, &pixel);
        return pixel;
    }
    unsigned Alpha(int x, int y) const { return Pixel(x, y) >> 24; }

    // The box of every pixel with any alpha: left, top, right, bottom (inclusive).
    RECT InkBox() const {
        RECT box{kSize, kSize, -1, -1};
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (Alpha(x, y) > 0) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
            }
        }
        return box;
    }

    static constexpr int kSize = 120;
    BitmapImageOwner bitmap;
    GraphicsOwner graphics;
};

constexpr RectF kBox = MakeRectF(10, 10, 20, 20);

} // namespace

TEST_F(Canvas, ColourStyleBorderIsAOnePixelOutlineJustInside) {
    DrawBorder(graphics.Get(), kBox, 0x80FF0000);
    for (auto [x, y] : {std::pair{10, 10}, {29, 10}, {10, 29}, {29, 29}, {20, 10}, {10, 20}}) {
        EXPECT_EQ(Pixel(x, y), 0x80FF0000u) << "outline pixel (" << x << ", " << y << ")";
    }
    for (auto [x, y] : {std::pair{11, 11}, {20, 20}, {9, 10}, {30, 20}, {20, 30}, {20, 9}}) {
        EXPECT_EQ(Alpha(x, y), 0u) << "pixel (" << x << ", " << y << ") must stay clear";
    }
}

TEST_F(Canvas, SunkenBorderIsDarkTopLeftAndLightBottomRight) {
    DrawBorder(graphics.Get(), kBox, kBorderSunken);
    EXPECT_EQ(Pixel(20, 10), 0xA0000000u) << "top: black at alpha 160";
    EXPECT_EQ(Pixel(10, 20), 0xA0000000u) << "left";
    const ArgbColor bottom = Pixel(20, 29);
    EXPECT_GT(bottom >> 24, 0u) << "bottom line is drawn";
    EXPECT_EQ(bottom & 0xFFFFFF, 0xFFFFFFu) << "bottom: white";
    EXPECT_EQ(Pixel(29, 20) & 0xFFFFFF, 0xFFFFFFu) << "right: white";
    EXPECT_EQ(Alpha(20, 20), 0u);
}

TEST_F(Canvas, RaisedBorderIsLightTopLeftAndDarkBottomRight) {
    DrawBorder(graphics.Get(), kBox, kBorderRaised);
    EXPECT_EQ(Pixel(20, 10) & 0xFFFFFF, 0xFFFFFFu) << "top: white";
    EXPECT_GT(Alpha(20, 10), 0u);
    EXPECT_EQ(Pixel(20, 29), 0xA8000000u) << "bottom: black at alpha 168";
    EXPECT_EQ(Pixel(29, 20), 0xA8000000u) << "right";
    EXPECT_EQ(Pixel(29, 10), 0xA8000000u) << "the white top line stops one pixel short";
}

TEST_F(Canvas, SolidBorderDefaultsToGrey100) {
    DrawBorder(graphics.Get(), kBox, kBorderSolid);
    EXPECT_EQ(Pixel(20, 10), 0xFE646464u);
    EXPECT_EQ(Pixel(29, 20), 0xFE646464u);
    DrawBorder(graphics.Get(), MakeRectF(50, 50, 20, 20), kBorderSolid, 0xFF00FF00);
    EXPECT_EQ(Pixel(60, 50), 0xFF00FF00u) << "a given colour replaces the grey";
}

TEST_F(Canvas, DashedBorderAlternatesInkAndGaps) {
    DrawBorder(graphics.Get(), MakeRectF(10, 10, 100, 20), kBorderDashed);
    int ink = 0;
    int gaps = 0;
    for (int x = 12; x < 100; ++x) {
        const unsigned alpha = Alpha(x, 10);
        ink += alpha == 90;
        gaps += alpha == 0;
    }
    EXPECT_GT(ink, 20) << "dashes of black at alpha 90";
    EXPECT_GT(gaps, 10) << "gaps between the dashes";
}

TEST_F(Canvas, RoundedPathArcSizeIsTheCornerDiameter) {
    PaintRoundedRect(graphics.Get(), MakeRectF(0, 0, 41, 41), 20, 0xFF000000);
    // A 10-pixel radius leaves (1, 1) clear and fills (5, 5); a 20-pixel
    // radius would leave (5, 5) clear too.
    EXPECT_EQ(Alpha(1, 1), 0u);
    EXPECT_EQ(Alpha(5, 5), 255u);
    EXPECT_EQ(Alpha(20, 0), 255u) << "straight top edge";
    EXPECT_EQ(Alpha(38, 38), 0u) << "bottom-right corner is rounded as well";
}

TEST_F(Canvas, GradientRunsFromTheFirstColourToTheSecond) {
    FillGradient(graphics.Get(), MakeRectF(0, 0, 101, 11), 0xFF000000, 0xFFFFFFFF,
                 GradientMode::Horizontal);
    EXPECT_LT(Pixel(1, 5) & 0xFF, 20u);
    EXPECT_GT(Pixel(98, 5) & 0xFF, 235u);
    EXPECT_EQ(Alpha(101, 5), 0u) << "width - 1 is filled";
}

TEST_F(Canvas, GlowStaysInsideItsExtent) {
    const RectF text = MakeRectF(30, 30, 60, 24);
    DrawTextStyled(text, graphics.Get(), "MMMM", Framework().defaultFont.Get(), 0x00FFFFFF,
                   TextStyle{.effect = TextEffect::Glow, .effectColor = 0xFFFFFFFF});
    const RECT ink = InkBox();
    ASSERT_GE(ink.right, ink.left) << "the glow drew something";
    EXPECT_GE(ink.left, 28);
    EXPECT_GE(ink.top, 28);
    EXPECT_LT(ink.right, 28 + 62);
    EXPECT_LT(ink.bottom, 28 + 27);
}

TEST_F(Canvas, GlowCoversTheGrownBoxOfAFilledText) {
    // A glow of text that fills its whole layout box reaches the edges of
    // (x - 2, y - 2, w + 2, h + 3).
    FontOwner big = CreateFontByName("Arial", 40, Gdiplus::FontStyleBold);
    ASSERT_TRUE(big);
    DrawGlowText(MakeRectF(30, 30, 24, 30), graphics.Get(), L"\x2588\x2588", nullptr, big.Get(),
                 0xFFFFFFFF);
    const RECT ink = InkBox();
    EXPECT_GE(ink.left, 28);
    EXPECT_GE(ink.top, 28);
    EXPECT_LE(ink.right, 28 + 26 - 1);
    EXPECT_LE(ink.bottom, 28 + 33 - 1);
}

TEST_F(Canvas, AlignmentCodeFourCentresBothWaysAndOneKeepsTheTop) {
    const RectF box = MakeRectF(0, 0, 120, 60);
    DrawTextStyled(box, graphics.Get(), "Ab", Framework().defaultFont.Get(), 0xFF000000,
                   TextStyle{.alignment = 4});
    const RECT centred = InkBox();
    ASSERT_GE(centred.right, centred.left);
    const int middleY = (centred.top + centred.bottom) / 2;
    const int middleX = (centred.left + centred.right) / 2;
    EXPECT_NEAR(middleY, 30, 4);
    EXPECT_NEAR(middleX, 60, 4);

    gp::GdipGraphicsClear(graphics.Get(), 0);
    DrawTextStyled(box, graphics.Get(), "Ab", Framework().defaultFont.Get(), 0xFF000000,
                   TextStyle{.alignment = 1});
    const RECT top = InkBox();
    EXPECT_LT(top.bottom, 20) << "code 1 keeps the text at the top";
    EXPECT_NEAR((top.left + top.right) / 2, 60, 4);
}

TEST_F(Canvas, ShadowEffectDrawsAnOffsetCopyInTheEffectColour) {
    const RectF box = MakeRectF(10, 10, 100, 40);
    DrawTextStyled(box, graphics.Get(), "I", Framework().defaultFont.Get(), 0xFFFFFFFF);
    const RECT plain = InkBox();
    gp::GdipGraphicsClear(graphics.Get(), 0);
    DrawTextStyled(box, graphics.Get(), "I", Framework().defaultFont.Get(), 0xFFFFFFFF,
                   TextStyle{.effect = TextEffect::ShadowDownRight});
    const RECT shadowed = InkBox();
    EXPECT_EQ(shadowed.right, plain.right + 1);
    EXPECT_EQ(shadowed.bottom, plain.bottom + 1);
    EXPECT_EQ(shadowed.left, plain.left);
    // White text is light: its shadow is black at alpha 70.
    const ArgbColor corner = Pixel(shadowed.right, shadowed.bottom);
    EXPECT_EQ(corner & 0xFFFFFF, 0u) << "the shadow is black";
    EXPECT_LE(corner >> 24, 70u);
}

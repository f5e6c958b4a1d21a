// Painting beyond the plain main window: images, nine-grid, title, sizing,
// controls at the border, tooltips and fonts.

#include "UiTestSupport.h"

#include "ui/Fonts.h"
#include "ui/Framework.h"
#include "ui/WindowTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// 30 x 30: red 10 x 10 corners, green edges, a blue 10 x 10 centre.
const unsigned char kGridPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00, 0x1e, 0x08, 0x06, 0x00, 0x00, 0x00, 0x3b, 0x30, 0xae,
    0xa2, 0x00, 0x00, 0x00, 0x42, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0xed, 0xd6, 0xc1, 0x09, 0x00,
    0x30, 0x0c, 0x42, 0x51, 0xed, 0xfe, 0x3b, 0xdb, 0x15, 0xa4, 0x04, 0x4a, 0xe0, 0x7b, 0x16, 0xde,
    0x21, 0x20, 0x71, 0xa4, 0xa8, 0x88, 0xab, 0x96, 0x14, 0x77, 0xbd, 0xa3, 0x4f, 0x01, 0x06, 0x06,
    0xde, 0x0f, 0x5b, 0xe9, 0x96, 0x6b, 0x7a, 0xba, 0xb8, 0x31, 0x30, 0x30, 0xf0, 0xfb, 0x72, 0xf1,
    0x73, 0x01, 0x03, 0x03, 0xaf, 0x83, 0x2f, 0x64, 0x5b, 0x0c, 0x34, 0xed, 0x4e, 0x32, 0xe5, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

std::string GridPng() {
    return std::string(reinterpret_cast<const char*>(kGridPng), sizeof kGridPng);
}

constexpr ArgbColor kOpaqueRed = 0xFFFF0000;
constexpr ArgbColor kOpaqueGreen = 0xFF00FF00;
constexpr ArgbColor kOpaqueBlue = 0xFF0000FF;

} // namespace

TEST(SkinFrame, NineGridKeepsCornersAndStretchesEdgesAndCentre) {
    TestWindow host(100, 80);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.imageBytes = GridPng(),
                                         .captionFlags = 0,
                                         .alpha = 0,
                                         .frameStyle = kFrameSkin,
                                         .nineGridRect = RECT{10, 10, 20, 20}});
    const Surface& frame = window.frameBuffer;
    EXPECT_EQ(frame.PixelAt(2, 2), kOpaqueRed) << "top-left corner";
    EXPECT_EQ(frame.PixelAt(97, 77), kOpaqueRed) << "bottom-right corner at its own size";
    EXPECT_EQ(frame.PixelAt(50, 40), kOpaqueBlue) << "the centre stretches both ways";
    EXPECT_EQ(frame.PixelAt(50, 3), kOpaqueGreen) << "the top edge stretches across";
    EXPECT_EQ(frame.PixelAt(3, 40), kOpaqueGreen) << "the left edge stretches down";
}

TEST(SkinFrame, WithoutNineGridTheImageIsDrawnAtItsOwnSize) {
    TestWindow host(100, 80);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.imageBytes = GridPng(),
                                         .captionFlags = 0,
                                         .alpha = 0,
                                         .frameStyle = kFrameSkin});
    EXPECT_EQ(window.frameBuffer.PixelAt(15, 15), kOpaqueBlue);
    EXPECT_EQ(window.frameBuffer.PixelAt(35, 35), 0u) << "nothing beyond the image";
}

TEST(ImageBackground, GivenColourIsKeptOverTheImagePixel) {
    TestWindow host(100, 80);
    UiWindow window;
    window.Attach(
        host.Get(),
        AttachArgs{.imageBytes = GridPng(), .color = 0x00FF00, .captionFlags = 0, .alpha = 220});
    EXPECT_EQ(window.themeColor, 0x00FF00u) << "the first Render keeps the colour Attach was given";
}

TEST(ImageBackground, ThemeColourComesFromThePixelAt85Percent) {
    TestWindow host(100, 80);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.imageBytes = GridPng(), .captionFlags = 0, .alpha = 220});
    // (25, 25) of the grid image is a red corner.
    EXPECT_EQ(window.themeColor, 0x0000FFu);
}

TEST(ImageBackground, LayeredImageIsDrawnAtTheWindowAlpha) {
    TestWindow host(100, 80);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.imageBytes = GridPng(),
                                         .color = 0x000000,
                                         .captionFlags = 0,
                                         .alpha = 128,
                                         .frameStyle = kFrameSquare,
                                         .featherEdges = false});
    // The image at alpha 128 over the black fill at alpha 128.
    const ArgbColor centre = window.frameBuffer.PixelAt(5 + 15, 5 + 15);
    EXPECT_NEAR(static_cast<int>(AlphaOf(centre)), 128 + 128 * 127 / 255, 3);
    EXPECT_NEAR(static_cast<int>(centre & 0xFF), 128, 3) << "half of the image's blue";
    EXPECT_EQ((centre >> 16) & 0xFF, 0u);
}

TEST(CaptionTitle, IsDrawnInWhiteOnADarkBackground) {
    TestWindow host(300, 100, WS_EX_TOOLWINDOW, WS_POPUP);
    SetWindowTextA(host.Get(), "MMMMMMMM");
    UiWindow window;
    window.Attach(host.Get(),
                  AttachArgs{.color = 0x000000, .alpha = 255, .frameStyle = kFrameSquare});
    ASSERT_TRUE(window.captionFlags & kCaptionTitle);
    int light = 0;
    // The title box: x from 5 + 28, y from 11, 17 high.
    for (int y = 11; y < 28; ++y) {
        for (int x = 33; x < 150; ++x) {
            light += (window.frameBuffer.PixelAt(x, y) & 0xFF) > 128;
        }
    }
    EXPECT_GT(light, 20) << "white title text on the black background";
}

TEST(WindowSize, SizingRebuildsTheSurfacesAndZeroSizeChangesNothing) {
    TestWindow host(200, 100);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    SetWindowPos(host.Get(), nullptr, 0, 0, 260, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(window.size.cx, 260);
    EXPECT_EQ(window.backgroundBuffer.Width(), 260);
    EXPECT_EQ(window.presentBuffer.Height(), 120);
    EXPECT_EQ(AlphaOf(window.frameBuffer.PixelAt(250, 100)), 220u)
        << "content reaches the new size";
    SendMessageA(host.Get(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(window.size.cx, 260);
    EXPECT_EQ(window.backgroundBuffer.Width(), 260);
}

TEST(WindowSize, MaximisedWindowHasNoMarginAndNoShadow) {
    TestWindow host(200, 100);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    ShowWindow(host.Get(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(host.Get()));
    EXPECT_EQ(window.Margin(), 0);
    EXPECT_NEAR(static_cast<int>(AlphaOf(window.frameBuffer.PixelAt(window.size.cx / 2, 0))),
                static_cast<int>(220 + 110 * 35 / 255), 3)
        << "the outer outline lies on the window's edge";
}

TEST(ControlAtTheBorder, PaintsNothingIntoTheShadowMargin) {
    TestWindow host(200, 100);
    UiWindow window;
    AttachArgs args = MainWindowArgs();
    args.controlFade = false;
    window.Attach(host.Get(), args);
    FillControl control;
    control.Create(host.Get(), 0, 40, 30, 20, kOpaqueRed);
    EXPECT_EQ(window.frameBuffer.PixelAt(20, 50), kOpaqueRed);
    EXPECT_EQ(window.frameBuffer.PixelAt(0, 50), 0u) << "outside the content is cleared";
    EXPECT_NE(window.frameBuffer.PixelAt(2, 50), kOpaqueRed) << "nor in the shadow rings";
}

TEST(ControlToolTip, FirstTipRegistersTheToolOnce) {
    TestWindow host(200, 100);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    FillControl control;
    control.Create(host.Get(), 10, 10, 30, 20, kOpaqueRed);
    control.ToolTipText("tip", true);
    control.SetToolTip("another tip");
    EXPECT_EQ(SendMessageA(window.tooltipWindow.Get(), TTM_GETTOOLCOUNT, 0, 0), 1);
    control.Destroy();
    EXPECT_EQ(SendMessageA(window.tooltipWindow.Get(), TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST(BackgroundTone, DarkOnlyWhenAllThreeSamplesAreDark) {
    TestWindow host(200, 100);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.color = 0x000000, .captionFlags = 0});
    EXPECT_TRUE(IsBackgroundDark(window.windowIndex, MakeRectF(20, 20, 100, 20)));
    window.Render({}, 0xFFFFFF);
    EXPECT_FALSE(IsBackgroundDark(window.windowIndex, MakeRectF(20, 20, 100, 20)));
}

TEST(Fonts, UnknownFamilyFallsBackToTheDefaultFamily) {
    EnsureFramework();
    FontOwner font = CreateFontByName("No Such Family 1234", 20, Gdiplus::FontStyleBold);
    ASSERT_TRUE(font);
    float size = 0;
    gp::GdipGetFontSize(font.Get(), &size);
    EXPECT_FLOAT_EQ(size, 20.0f);
}

TEST(Fonts, SystemFontNameIsNeverTahomaAndAlwaysUsable) {
    EnsureFramework();
    for (SystemFont which : {SystemFont::Menu, SystemFont::Caption, SystemFont::Message}) {
        const std::string name = SystemFontName(which);
        EXPECT_FALSE(name.empty());
        EXPECT_NE(name, "Tahoma");
        EXPECT_TRUE(CreateFontByName(name, 12, 0));
    }
}

TEST(Fonts, DefaultFontIsTwelvePixels) {
    EnsureFramework();
    ASSERT_TRUE(Framework().defaultFont);
    float size = 0;
    gp::GdipGetFontSize(Framework().defaultFont.Get(), &size);
    EXPECT_FLOAT_EQ(size, 12.0f);
}

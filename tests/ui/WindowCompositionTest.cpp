// The composed frame of attached windows, read back from the frame surface.

#include "UiTestSupport.h"

#include "ui/WindowTable.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kMainWidth = 339;
constexpr int kMainHeight = 140;
// GDI+ antialiasing may round a blend by a step or two.
constexpr int kAlphaTolerance = 3;

struct Sample {
    int at;
    unsigned alpha;
    const char* what;
};

class MainWindowFrame : public ::testing::Test {
protected:
    void SetUp() override { window.Attach(host.Get(), MainWindowArgs()); }
    void TearDown() override { host.Destroy(); }

    ArgbColor Pixel(int x, int y) const { return window.frameBuffer.PixelAt(x, y); }

    TestWindow host{kMainWidth, kMainHeight};
    UiWindow window;
};

// Alpha over alpha: what a 1-pixel line of alpha a drawn over alpha b gives.
unsigned Over(unsigned a, unsigned b) {
    return a + b * (255 - a) / 255;
}

} // namespace

TEST_F(MainWindowFrame, ContentIsBlackAtAlpha220Over328By129Pixels) {
    ASSERT_TRUE(window.IsAttached());
    // The fill, with the outlines drawn over its edge, is at least alpha 220.
    auto filledInRow = [&](int y) {
        int count = 0;
        for (int x = 0; x < kMainWidth; ++x) {
            count += AlphaOf(Pixel(x, y)) >= 220;
        }
        return count;
    };
    auto filledInColumn = [&](int x) {
        int count = 0;
        for (int y = 0; y < kMainHeight; ++y) {
            count += AlphaOf(Pixel(x, y)) >= 220;
        }
        return count;
    };
    EXPECT_EQ(filledInRow(60), 328);
    EXPECT_EQ(filledInColumn(170), 129);
    EXPECT_GE(AlphaOf(Pixel(5, 60)), 220u) << "the fill starts at x = 5";
    EXPECT_GE(AlphaOf(Pixel(332, 60)), 220u) << "and ends at x = 332";

    // Inside the two outlines the content is pure black at alpha 220.
    int pure = 0;
    for (int y = 7; y <= 132; ++y) {
        for (int x = 7; x <= 331; ++x) {
            pure += Pixel(x, y) == 0xDC000000u;
        }
    }
    EXPECT_EQ(pure, 325 * 126);
}

TEST_F(MainWindowFrame, ColumnThroughTheMiddleShowsOutlinesAndFourShadowRings) {
    const unsigned fill = 220;
    const Sample column[] = {
        {0, 0, "outside the rings"},
        {1, 15, "shadow ring 4"},
        {2, 25, "shadow ring 3"},
        {3, 55, "shadow ring 2"},
        {4, 75, "shadow ring 1"},
        {5, Over(110, fill), "outer outline over the fill"},
        {6, Over(70, fill), "inner outline over the fill"},
        {60, fill, "content"},
        {133, Over(70, fill), "inner outline at the bottom"},
        {134, 110, "outer outline below the fill"},
        {135, 75, "shadow ring 1"},
        {136, 55, "shadow ring 2"},
        {137, 25, "shadow ring 3"},
        {138, 15, "shadow ring 4"},
        {139, 0, "outside the rings"},
    };
    for (const Sample& s : column) {
        const unsigned alpha = AlphaOf(Pixel(170, s.at));
        EXPECT_LE(std::abs(static_cast<int>(alpha) - static_cast<int>(s.alpha)), kAlphaTolerance)
            << s.what << " at y = " << s.at << ": alpha " << alpha << ", expected " << s.alpha;
    }
    // The outlines: black at the outer one, white (premultiplied 70) inside.
    EXPECT_EQ(Pixel(170, 134) & 0xFFFFFF, 0u) << "the outer outline is black";
    EXPECT_GE(Pixel(170, 6) & 0xFF, 60u) << "the inner outline is white";
}

TEST_F(MainWindowFrame, RowThroughTheMiddleMirrorsTheColumn) {
    const Sample row[] = {
        {0, 0, "outside"},   {1, 15, "ring 4"},   {4, 75, "ring 1"},   {333, 110, "outer outline"},
        {334, 75, "ring 1"}, {337, 15, "ring 4"}, {338, 0, "outside"},
    };
    for (const Sample& s : row) {
        const unsigned alpha = AlphaOf(Pixel(s.at, 70));
        EXPECT_LE(std::abs(static_cast<int>(alpha) - static_cast<int>(s.alpha)), kAlphaTolerance)
            << s.what << " at x = " << s.at << ": alpha " << alpha;
    }
}

TEST_F(MainWindowFrame, CornersOfTheWindowStayTransparent) {
    for (auto [x, y] : {std::pair{0, 0}, {338, 0}, {0, 139}, {338, 139}, {1, 1}}) {
        EXPECT_EQ(Pixel(x, y), 0u) << "corner pixel (" << x << ", " << y << ")";
    }
    EXPECT_EQ(GetWindowLongPtrA(host.Get(), GWL_EXSTYLE) & WS_EX_LAYERED, WS_EX_LAYERED);
}

TEST_F(MainWindowFrame, PresentSurfaceHoldsTheComposedFrame) {
    for (auto [x, y] : {std::pair{170, 60}, {5, 70}, {2, 70}, {0, 0}}) {
        EXPECT_EQ(window.presentBuffer.PixelAt(x, y), Pixel(x, y)) << "(" << x << ", " << y << ")";
    }
}

TEST(BannerFrame, SkinStyleAtAlphaZeroIsFullyTransparent) {
    TestWindow host(970, 100, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    UiWindow banner;
    banner.Attach(host.Get(), AttachArgs{.captionFlags = 0,
                                         .alpha = 0,
                                         .frameStyle = kFrameSkin,
                                         .noResize = true,
                                         .noDrag = true});
    ASSERT_TRUE(banner.IsAttached());
    int visible = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 970; ++x) {
            visible += banner.frameBuffer.PixelAt(x, y) != 0;
        }
    }
    EXPECT_EQ(visible, 0) << "no fill, frame, shadow or title on the banner";
}

TEST(NonLayeredFrame, GetsARoundedRegionInsideTheMargin) {
    TestWindow host(200, 100);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.color = 0x336699, .captionFlags = 0});
    ASSERT_TRUE(window.IsAttached());
    EXPECT_EQ(GetWindowLongPtrA(host.Get(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(window.presentBuffer.Dc(), nullptr) << "no present surface without layering";

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(host.Get(), region), ERROR);
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {
        // The content rectangle (5, 5, 190, 90) with 5 x 5 rounded corners.
        {4, 50, false},  {5, 50, true},    {194, 50, true}, {195, 50, false},
        {100, 4, false}, {100, 5, true},   {100, 94, true}, {100, 95, false},
        {5, 5, false},   {194, 94, false}, {8, 8, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PtInRegion(region, c.x, c.y) != FALSE, c.inside)
            << "(" << c.x << ", " << c.y << ")";
    }
    DeleteObject(region);
    // The theme colour fills the content at alpha 254 (stored premultiplied).
    const ArgbColor fill = window.frameBuffer.PixelAt(100, 50);
    EXPECT_EQ(AlphaOf(fill), 254u);
    EXPECT_NEAR(static_cast<int>((fill >> 16) & 0xFF), 0x99, 1) << "red";
    EXPECT_NEAR(static_cast<int>((fill >> 8) & 0xFF), 0x66, 1) << "green";
    EXPECT_NEAR(static_cast<int>(fill & 0xFF), 0x33, 1) << "blue";
}

// Picture boxes: stretched pictures, borders, empty pictures and animation
// driven by the window's real timers.

#include "ControlFixture.h"
#include "TestImages.h"

#include "ui/controls/UiPictureBox.h"

#include <chrono>
#include <set>
#include <thread>

namespace {

constexpr ArgbColor kLeftColour = 0xFF00FF00;
constexpr ArgbColor kRightColour = 0xFF0000FF;
constexpr ArgbColor kGifFirst = 0xFFFF0000;
constexpr ArgbColor kGifSecond = 0xFF0000FF;

class PictureBoxes : public ControlsWindow {
protected:
    // The distinct colours at one pixel over a stretch of real time, with the
    // window's messages dispatched meanwhile.
    std::set<ArgbColor> WatchPixel(int x, int y, int milliseconds) {
        std::set<ArgbColor> seen;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            PumpMessages();
            seen.insert(Pixel(x, y));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return seen;
    }
};

} // namespace

TEST_F(PictureBoxes, APictureIsStretchedToFillTheBox) {
    UiPictureBox box;
    ASSERT_GT(
        box.Create(host.Get(), 20, 20, 96, 96, TwoColourPng(64, 32, kLeftColour, kRightColour)), 0);
    EXPECT_EQ(Pixel(22, 112), kLeftColour);
    EXPECT_EQ(Pixel(60, 22), kLeftColour);
    EXPECT_EQ(Pixel(76, 22), kRightColour);
    EXPECT_EQ(Pixel(113, 112), kRightColour);
    EXPECT_EQ(Pixel(117, 60), kBackground);
}

TEST_F(PictureBoxes, SolidBorderIsAGreyFrameOnThePictureEdge) {
    UiPictureBox box;
    box.Create(host.Get(), 20, 20, 96, 96, SolidPng(300, 300, kLeftColour), false, false,
               kBorderSolid);
    const ArgbColor edge = Pixel(20, 60);
    EXPECT_EQ(Red(edge), Blue(edge));
    EXPECT_GT(Red(edge), 60u);
    EXPECT_EQ(Pixel(21, 60), kLeftColour);
}

TEST_F(PictureBoxes, EmptyOrBrokenBytesDrawOnlyTheBorderAndSetImageFillsIt) {
    for (const char* bytes : {"", "not a picture"}) {
        UiPictureBox box;
        box.Create(host.Get(), 20, 20, 96, 96, bytes, false, false, kBorderSolid);
        EXPECT_EQ(Pixel(60, 60), kBackground);
        EXPECT_NE(Pixel(20, 60), kBackground);
        box.SetImage(SolidPng(8, 8, kRightColour));
        EXPECT_EQ(Pixel(60, 60), kRightColour);
        box.Destroy();
    }
}

TEST_F(PictureBoxes, AnAnimatedPictureCyclesItsFramesOnlyWhenAnimating) {
    UiPictureBox still;
    still.Create(host.Get(), 20, 20, 40, 40, TwoFrameGif());
    UiPictureBox moving;
    moving.Create(host.Get(), 100, 20, 40, 40, TwoFrameGif(), true);
    const std::set<ArgbColor> stillSeen = WatchPixel(40, 40, 700);
    EXPECT_EQ(stillSeen, std::set<ArgbColor>{kGifFirst});
    const std::set<ArgbColor> movingSeen = WatchPixel(120, 40, 900);
    EXPECT_EQ(movingSeen, (std::set<ArgbColor>{kGifFirst, kGifSecond}));

    moving.Animate(false);
    EXPECT_EQ(Pixel(120, 40), kGifFirst) << "stopping shows the first frame";
    EXPECT_EQ(WatchPixel(120, 40, 500), std::set<ArgbColor>{kGifFirst});
}

TEST_F(PictureBoxes, ARepaintDuringAnAnimationDoesNotAdvanceTheFrame) {
    UiPictureBox moving;
    moving.Create(host.Get(), 100, 20, 40, 40, TwoFrameGif(), true);
    const ArgbColor before = Pixel(120, 40);
    for (int i = 0; i < 3; ++i) {
        moving.Redraw();
    }
    EXPECT_EQ(Pixel(120, 40), before);
}

// Image buttons: which look each mouse message shows, when they repaint,
// and the fade between looks.

#include "ControlFixture.h"
#include "TestImages.h"

#include "ui/controls/UiImageButton.h"

namespace {

constexpr ArgbColor kNormal = 0xFFFF0000;
constexpr ArgbColor kHover = 0xFF00FF00;
constexpr ArgbColor kPressed = 0xFF0000FF;

class ImageButtons : public ControlsWindow {
protected:
    int CreateButton(UiImageButton& button, int size = 45) {
        return button.Create(host.Get(), 100, 40, 45, 45, SolidPng(size, size, kNormal),
                             SolidPng(size, size, kHover), SolidPng(size, size, kPressed));
    }
    ArgbColor Look() const { return Pixel(120, 60); }
};

} // namespace

TEST_F(ImageButtons, EachMouseMessageShowsItsLook) {
    UiImageButton button;
    ASSERT_GT(CreateButton(button), 0);
    EXPECT_EQ(Look(), kNormal);
    const struct {
        UINT message;
        ArgbColor look;
    } steps[] = {
        {WM_MOUSEMOVE, kHover}, {WM_LBUTTONDOWN, kPressed}, {WM_LBUTTONUP, kPressed},
        {WM_MOUSEMOVE, kHover}, {WM_PAINT, kNormal},        {WM_MOUSEMOVE, kHover},
    };
    for (const auto& step : steps) {
        Send(button, step.message);
        EXPECT_EQ(Look(), step.look) << "after message " << step.message;
    }
}

TEST_F(ImageButtons, ARepeatedMouseMoveDoesNotRepaint) {
    UiImageButton button;
    CreateButton(button);
    Send(button, WM_MOUSEMOVE);
    Mark(100, 40, 45, 45);
    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), 0xFFFF00FFu);
}

TEST_F(ImageButtons, AHeldButtonKeepsItsPressedLookWhileTheMouseMoves) {
    UiImageButton button;
    CreateButton(button);
    Send(button, WM_LBUTTONDOWN);
    window.pressedControl = PositionOf(button);
    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), kPressed);
}

TEST_F(ImageButtons, ALockedButtonIgnoresTheMouseButStillPaints) {
    UiImageButton button;
    CreateButton(button);
    button.Locked(true);
    Send(button, WM_MOUSEMOVE);
    Send(button, WM_LBUTTONDOWN);
    EXPECT_EQ(Look(), kNormal);
    Mark(100, 40, 45, 45);
    button.Redraw();
    EXPECT_EQ(Look(), kNormal);
}

TEST_F(ImageButtons, WithoutStretchALargerImageShowsOnlyInsideTheButton) {
    UiImageButton button;
    CreateButton(button, 60);
    EXPECT_EQ(Pixel(144, 84), kNormal);
    EXPECT_EQ(Pixel(146, 60), kBackground);
    EXPECT_EQ(Pixel(120, 86), kBackground);
}

TEST_F(ImageButtons, StretchFitsASmallImageToTheButton) {
    UiImageButton button;
    button.Create(host.Get(), 100, 40, 45, 45, SolidPng(10, 10, kNormal), {}, {}, true);
    EXPECT_EQ(Pixel(104, 44), kNormal);
    EXPECT_EQ(Pixel(140, 80), kNormal);
}

TEST_F(ImageButtons, ButtonWithOnlyANormalImageShowsItForEveryLook) {
    UiImageButton button;
    button.Create(host.Get(), 100, 40, 45, 45, SolidPng(45, 45, kNormal));
    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), kNormal);
    Send(button, WM_LBUTTONDOWN);
    EXPECT_EQ(Look(), kNormal);
}

TEST_F(ImageButtons, SetImagesWithOnlyTheNormalImageKeepsTheOtherLooks) {
    UiImageButton button;
    CreateButton(button);
    const ArgbColor newNormal = 0xFFFFFF00;
    button.SetImages(SolidPng(45, 45, newNormal));
    EXPECT_EQ(Look(), newNormal) << "repainted with the new normal look";
    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), kHover);
}

TEST_F(ImageButtons, BytesThatDoNotDecodeDrawNothingForThatLook) {
    UiImageButton button;
    button.Create(host.Get(), 100, 40, 45, 45, "not an image", SolidPng(45, 45, kHover));
    EXPECT_EQ(Look(), kBackground);
    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), kHover);
}

TEST_F(ImageButtons, WithFadesOnTheNewLookBlendsInOverThreeTicks) {
    window.Record()->controlFade = true;
    UiImageButton button;
    CreateButton(button);
    window.PresentRect(button.GetRect(), 255);
    ASSERT_EQ(window.presentBuffer.PixelAt(120, 60), kNormal);

    Send(button, WM_MOUSEMOVE);
    EXPECT_EQ(Look(), kHover) << "the frame has the new look at once";
    EXPECT_EQ(window.presentBuffer.PixelAt(120, 60), kNormal) << "the screen not yet";
    unsigned previousGreen = 0;
    for (int tick = 1; tick <= 3; ++tick) {
        Send(button, WM_TIMER, ControlTimerId(window.windowIndex, PositionOf(button)));
        const unsigned green = Green(window.presentBuffer.PixelAt(120, 60));
        EXPECT_GT(green, previousGreen) << "tick " << tick;
        previousGreen = green;
    }
    EXPECT_EQ(window.presentBuffer.PixelAt(120, 60), kHover);
}

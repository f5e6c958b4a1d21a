// Sliders: the value taken from the cursor, clicks and drags reported to the
// program, and how the bars and the thumb are drawn.

#include "ControlFixture.h"
#include "TestImages.h"

#include "ui/controls/UiSlider.h"

#include <vector>

namespace {

// A slider 200 wide at x 50 on the main-window-like test window.
constexpr int kLeft = 50;
constexpr int kTop = 60;
constexpr int kWidth = 200;

class Sliders : public ControlsWindow {
protected:
    int CreateSlider(SliderOptions options = {}) {
        const int id = slider.Create(host.Get(), kLeft, kTop, kWidth, 14, options);
        slider.SetChangeHandler([this](int value) { reported.push_back(value); });
        return id;
    }

    // Puts the cursor at a client x of the window, on the slider's row.
    void CursorAt(int clientX) {
        const RECT& rect = FindWindowRecord(window.windowIndex)->windowRect;
        SetCursorPos(rect.left + clientX, rect.top + kTop + 7);
    }

    UiSlider slider;
    std::vector<int> reported;
};

} // namespace

TEST_F(Sliders, CursorPositionMapsToTheValueWithNinePixelMargins) {
    CreateSlider();
    const struct {
        int clientX;
        float value;
    } cases[] = {
        {kLeft + 9, 0.0f},  {kLeft + kWidth - 9, 100.0f},  {kLeft + 100, 50.0f},
        {kLeft - 30, 0.0f}, {kLeft + kWidth + 30, 100.0f},
    };
    for (const auto& c : cases) {
        CursorAt(c.clientX);
        slider.TrackCursor(window.windowIndex);
        EXPECT_NEAR(slider.Value(), c.value, 0.01f) << "cursor at " << c.clientX;
    }
    EXPECT_TRUE(reported.empty()) << "tracking alone reports nothing";
}

TEST_F(Sliders, AClickSetsTheValueFromTheCursorAndReportsItOnce) {
    CreateSlider();
    CursorAt(kLeft + 9 + 91);
    Send(slider, WM_LBUTTONDOWN);
    EXPECT_TRUE(reported.empty()) << "a press alone changes nothing";
    EXPECT_EQ(slider.Value(), 0.0f);
    Send(slider, UIM_CLICK);
    EXPECT_NEAR(slider.Value(), 50.0f, 0.01f);
    EXPECT_EQ(reported, std::vector<int>{50});
}

TEST_F(Sliders, ADragFollowsTheMouseAndReportsEachStep) {
    CreateSlider();
    window.pressedControl = PositionOf(slider);
    for (int x : {kLeft + 9 + 91, kLeft + 9 + 182}) {
        CursorAt(x);
        Send(slider, WM_MOUSEMOVE);
    }
    EXPECT_EQ(reported, (std::vector<int>{50, 100}));
}

TEST_F(Sliders, WithoutAThumbClicksChangeNothingAndOnlyNewMessagesRepaint) {
    CreateSlider(SliderOptions{.value = 30.0f, .thumbEnabled = false});
    CursorAt(kLeft + 150);
    Send(slider, UIM_CLICK);
    EXPECT_EQ(slider.Value(), 30.0f);
    EXPECT_TRUE(reported.empty());

    Send(slider, WM_MOUSEMOVE);
    Mark(kLeft, kTop, kWidth, 14);
    Send(slider, WM_MOUSEMOVE);
    EXPECT_EQ(Pixel(kLeft + 20, kTop + 7), 0xFFFF00FFu) << "the same message again";
    Send(slider, WM_LBUTTONDOWN);
    EXPECT_NE(Pixel(kLeft + 20, kTop + 7), 0xFFFF00FFu);
}

TEST_F(Sliders, SettingAValueClampsItAndOnlyAChangeRepaints) {
    CreateSlider();
    EXPECT_EQ(slider.Value(150.0f), 100.0f);
    EXPECT_EQ(slider.BufferValue(-5.0f), 0.0f);
    Mark(kLeft, kTop, kWidth, 14);
    slider.Value(100.0f);
    EXPECT_EQ(Pixel(kLeft + 20, kTop + 7), 0xFFFF00FFu) << "the same value does not repaint";
    slider.Value(40.0f);
    EXPECT_NE(Pixel(kLeft + 20, kTop + 7), 0xFFFF00FFu);
}

TEST_F(Sliders, PlayedPartIsBlueToGreenOverTheBufferPart) {
    // Square and without a thumb, the bar's inner part runs from x + 4 to
    // x + width - 4.
    CreateSlider(SliderOptions{.value = 50.0f,
                               .bufferValue = 100.0f,
                               .bufferColor = 0xFFFFFFFF,
                               .thumbEnabled = false,
                               .rounded = false});
    const int row = kTop + 7;
    const ArgbColor played = Pixel(kLeft + 30, row);
    EXPECT_GT(Blue(played), Red(played) + 100) << "the played part starts blue";
    const ArgbColor buffer = Pixel(kLeft + 150, row);
    EXPECT_GT(Red(buffer), 200u) << "the buffer part fills the rest of the bar";
    EXPECT_GT(Green(Pixel(kLeft + 95, row)), Green(played)) << "turning green along the bar";

    slider.Value(0.0f);
    slider.BufferValue(0.0f);
    EXPECT_LT(Red(Pixel(kLeft + 30, row)), 40u) << "nothing but the empty track";
    EXPECT_LT(Blue(Pixel(kLeft + 30, row)), 40u);
}

TEST_F(Sliders, AShortSliderGrowsToTwelveAndCentresItsBar) {
    slider.Create(host.Get(), kLeft, kTop, kWidth, 7,
                  SliderOptions{.barHeight = 6, .thumbEnabled = false, .rounded = false});
    EXPECT_EQ(slider.Height(), 12);
    const InkBox bar = FindInk(kLeft, kTop, kLeft + kWidth, kTop + 12,
                               [](ArgbColor c) { return c != kBackground; });
    ASSERT_FALSE(bar.Empty());
    EXPECT_EQ(bar.Height(), 6);
    EXPECT_NEAR((bar.top + bar.bottom) / 2.0, kTop + 5.5, 0.5);
}

TEST_F(Sliders, TheThumbSitsAtTheValueAndLightsUpUnderTheCursor) {
    const ArgbColor normal = 0xFF0000FF;
    const ArgbColor hover = 0xFFFF0000;
    CursorAt(kLeft - 40);
    CreateSlider(SliderOptions{.value = 50.0f,
                               .thumbImage = SolidPng(10, 10, normal),
                               .thumbHoverImage = SolidPng(10, 10, hover)});
    // The track runs from x + 5 over width - 10; the thumb is centred on
    // the value.
    const int centre = kLeft + 5 + (kWidth - 10) / 2;
    EXPECT_EQ(Pixel(centre, kTop + 7), normal);
    CursorAt(centre);
    slider.Redraw();
    EXPECT_EQ(Pixel(centre, kTop + 7), hover);
}

TEST_F(Sliders, ThumbBytesThatDoNotDecodeLeaveTheThumbOutButDragsStillWork) {
    CreateSlider(SliderOptions{.thumbImage = "broken", .thumbHoverImage = "broken"});
    CursorAt(kLeft + 100);
    Send(slider, UIM_CLICK);
    EXPECT_NEAR(slider.Value(), 50.0f, 0.01f);
    EXPECT_EQ(reported, std::vector<int>{50});
}

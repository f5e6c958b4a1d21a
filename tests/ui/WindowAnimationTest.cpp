// The fade-in and the closing effects, judged by what reaches the screen:
// the composed desktop is read back where the window stands.

#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The test desktop's colour, #3070a0.
constexpr COLORREF kDesktop = RGB(0x30, 0x70, 0xa0);

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

bool IsDesktop(COLORREF pixel) {
    return std::abs(GetRValue(pixel) - 0x30) < 8 && std::abs(GetGValue(pixel) - 0x70) < 8 &&
           std::abs(GetBValue(pixel) - 0xa0) < 8;
}

// Under Wine the compositor keeps the last picture that had any opacity in
// it, here the final fade step at alpha 28 of 255 (11 %); the steps before it
// and a close without a fade are far from the desktop.
bool IsAlmostDesktop(COLORREF pixel) {
    return std::abs(GetRValue(pixel) - 0x30) < 16 && std::abs(GetGValue(pixel) - 0x70) < 16 &&
           std::abs(GetBValue(pixel) - 0xa0) < 16;
}

bool IsDark(COLORREF pixel) {
    return GetRValue(pixel) < 24 && GetGValue(pixel) < 24 && GetBValue(pixel) < 24;
}

// The compositor shows a new picture a little later: look until it does.
// Messages are not dispatched meanwhile, as a window's paint would present
// its frame again over what the animation left.
bool ScreenShows(int x, int y, bool (*test)(COLORREF)) {
    for (int i = 0; i < 100; ++i) {
        if (test(ScreenPixel(x, y))) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class WindowAnimation : public ::testing::Test {
protected:
    void SetUp() override {
        window.Attach(host.Get(), MainWindowArgs());
        RECT rect{};
        GetWindowRect(host.Get(), &rect);
        centreX = (rect.left + rect.right) / 2;
        centreY = (rect.top + rect.bottom) / 2;
        ASSERT_TRUE(IsDesktop(ScreenPixel(centreX, centreY))) << "the desktop is not bare";
    }
    void TearDown() override { host.Destroy(); }

    TestWindow host{339, 140};
    UiWindow window;
    int centreX = 0;
    int centreY = 0;
};

} // namespace

TEST_F(WindowAnimation, FadeInEndsWithTheWindowShown) {
    window.ShowAnimated(1);
    EXPECT_TRUE(IsWindowVisible(host.Get()));
    EXPECT_FALSE(window.noPaint);
    EXPECT_TRUE(ScreenShows(centreX, centreY, IsDark)) << "black at alpha 254";
}

TEST_F(WindowAnimation, ShowingWithoutTheFadeLeavesAnAlmostInvisibleWindowUntilARender) {
    window.ShowAnimated(0);
    EXPECT_TRUE(IsWindowVisible(host.Get()));
    EXPECT_TRUE(ScreenShows(centreX, centreY, IsDesktop));
    window.Render();
    EXPECT_TRUE(ScreenShows(centreX, centreY, IsDark));
}

TEST_F(WindowAnimation, EveryClosingEffectFadesTheWindowAway) {
    window.ShowAnimated(1);
    ASSERT_TRUE(ScreenShows(centreX, centreY, IsDark));
    for (int effect = 1; effect <= 7; ++effect) {
        window.Render();
        ASSERT_TRUE(ScreenShows(centreX, centreY, IsDark)) << "effect " << effect;
        window.CloseAnimation(effect);
        EXPECT_FALSE(window.noPaint);
        EXPECT_TRUE(ScreenShows(centreX, centreY, IsAlmostDesktop))
            << "effect " << effect << " pixel " << std::hex << ScreenPixel(centreX, centreY);
    }
}

TEST_F(WindowAnimation, CloseRunsTheEffectAndTheWindowIsThenDestroyed) {
    window.ShowAnimated(0);
    window.Render();
    window.SetCloseEffect(6);
    SendMessageA(host.Get(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(host.Get()));
    EXPECT_TRUE(ScreenShows(centreX, centreY, IsDesktop));
}

TEST_F(WindowAnimation, AWindowThatIsNotLayeredIsMadeLayeredToClose) {
    TestWindow plain(200, 120);
    UiWindow plainWindow;
    AttachArgs args = MainWindowArgs();
    args.alpha = -1;
    plainWindow.Attach(plain.Get(), args);
    ShowWindow(plain.Get(), SW_SHOWNOACTIVATE);
    plainWindow.Render();
    plainWindow.CloseAnimation(6);
    EXPECT_TRUE(GetWindowLongA(plain.Get(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(plainWindow.Record()->alpha, 255);
    plain.Destroy();
}

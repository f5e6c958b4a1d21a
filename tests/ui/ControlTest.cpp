// Control registration, ids, the paint protocol and hand-over from a worker.

#include "ControlFixture.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr ArgbColor kRed = 0xFFFF0000;
constexpr ArgbColor kGreen = 0xFF00FF00;

class ControlWindow : public ControlsWindow {
protected:
    std::vector<ArgbColor> Snapshot(const Surface& surface) const {
        std::vector<ArgbColor> pixels;
        for (int y = 0; y < 140; ++y) {
            for (int x = 0; x < 339; ++x) {
                pixels.push_back(surface.PixelAt(x, y));
            }
        }
        return pixels;
    }
};

} // namespace

TEST_F(ControlWindow, IdsStartAtOneAndReuseTheSmallestFree) {
    FillControl first;
    FillControl second;
    FillControl third;
    EXPECT_EQ(first.Create(host.Get(), 10, 10, 10, 10, kRed), 1);
    EXPECT_EQ(second.Create(host.Get(), 30, 10, 10, 10, kRed), 2);
    EXPECT_TRUE(first.Destroy());
    EXPECT_FALSE(first.IsCreated());
    EXPECT_EQ(third.Create(host.Get(), 50, 10, 10, 10, kRed), 1);
    EXPECT_EQ(FindControlPosition(window.windowIndex, 1), 2) << "the new control is drawn last";
}

TEST_F(ControlWindow, CreatingOnAnUnknownWindowLeavesTheControlUncreated) {
    TestWindow stranger(50, 50);
    FillControl control;
    EXPECT_EQ(control.Create(stranger.Get(), 0, 0, 10, 10, kRed), 0);
    EXPECT_FALSE(control.IsCreated());
    EXPECT_FALSE(control.Visible());
    EXPECT_TRUE(control.Destroy()) << "destroying a control never created succeeds";
}

TEST_F(ControlWindow, StandaloneRepaintChangesOnlyItsOwnRectangle) {
    FillControl control;
    control.Create(host.Get(), 100, 40, 20, 30, kRed);
    EXPECT_EQ(window.frameBuffer.PixelAt(100, 40), kRed);
    EXPECT_EQ(window.frameBuffer.PixelAt(119, 69), kRed);

    const std::vector<ArgbColor> before = Snapshot(window.frameBuffer);
    control.SetColor(kGreen);
    const std::vector<ArgbColor> after = Snapshot(window.frameBuffer);
    int changedInside = 0;
    int changedOutside = 0;
    for (int y = 0; y < 140; ++y) {
        for (int x = 0; x < 339; ++x) {
            const size_t i = static_cast<size_t>(y * 339 + x);
            const bool inside = x >= 100 && x < 120 && y >= 40 && y < 70;
            (inside ? changedInside : changedOutside) += before[i] != after[i];
        }
    }
    EXPECT_EQ(changedInside, 20 * 30);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_EQ(window.presentBuffer.PixelAt(110, 50), kGreen) << "the rectangle was presented";
}

TEST_F(ControlWindow, HidingRestoresTheBackgroundAndShowingPaintsAgain) {
    FillControl control;
    control.Create(host.Get(), 100, 40, 20, 30, kRed);
    const ArgbColor background = window.backgroundBuffer.PixelAt(110, 50);
    ASSERT_EQ(background, 0xDC000000u);

    EXPECT_FALSE(control.Visible(false));
    EXPECT_EQ(window.frameBuffer.PixelAt(110, 50), background);
    EXPECT_EQ(window.presentBuffer.PixelAt(110, 50), background);
    const int paints = control.paints;
    EXPECT_FALSE(control.Visible(false)) << "hiding a hidden control";
    EXPECT_EQ(control.paints, paints);

    EXPECT_TRUE(control.Visible(true));
    EXPECT_EQ(control.shownMessages, 1);
    EXPECT_EQ(window.frameBuffer.PixelAt(110, 50), kRed);
    EXPECT_TRUE(control.Visible(true));
    EXPECT_EQ(control.shownMessages, 2) << "showing a visible control still sends UIM_SHOWN";
}

TEST_F(ControlWindow, RepaintOfALowerControlKeepsTheUpperOneOnTop) {
    FillControl lower;
    FillControl upper;
    lower.Create(host.Get(), 100, 40, 40, 40, kRed);
    upper.Create(host.Get(), 120, 60, 40, 40, kGreen);
    lower.SetColor(0xFF0000FF);
    EXPECT_EQ(window.frameBuffer.PixelAt(130, 70), kGreen) << "overlap stays the upper control's";
    EXPECT_EQ(window.frameBuffer.PixelAt(105, 45), 0xFF0000FFu);
}

TEST_F(ControlWindow, MoveRestoresTheOldPlaceAndClampsNegativeSizes) {
    FillControl control;
    control.Create(host.Get(), 100, 40, 20, 20, kRed);
    control.Move(200.0f, 40.0f);
    EXPECT_EQ(window.frameBuffer.PixelAt(105, 45), 0xDC000000u);
    EXPECT_EQ(window.frameBuffer.PixelAt(205, 45), kRed);
    control.Move({}, {}, -5.0f);
    EXPECT_EQ(control.GetRect().width, 0.0f);
}

TEST_F(ControlWindow, DisabledControlIsNotPaintedByAWindowRepaint) {
    FillControl control;
    control.Create(host.Get(), 100, 40, 20, 20, kRed);
    control.Disable();
    window.Render({}, 0x000000);
    EXPECT_EQ(window.frameBuffer.PixelAt(105, 45), 0xDC000000u);
}

TEST_F(ControlWindow, SetZOrderMovesToTopOrBottom) {
    FillControl a;
    FillControl b;
    a.Create(host.Get(), 10, 10, 10, 10, kRed);
    b.Create(host.Get(), 30, 10, 10, 10, kRed);
    a.SetZOrder(1);
    EXPECT_EQ(FindControlPosition(window.windowIndex, a.GetId()), 2);
    a.SetZOrder(2);
    EXPECT_EQ(FindControlPosition(window.windowIndex, a.GetId()), 1);
}

TEST_F(ControlWindow, BindEventTwiceKeepsOneRoutineTheSecond) {
    FillControl control;
    control.Create(host.Get(), 10, 10, 10, 10, kRed);
    int first = 0;
    int second = 0;
    control.BindEvent(UIM_CLICK, [&](int, int, WPARAM, LPARAM, bool) { ++first; });
    control.BindEvent(UIM_CLICK, [&](int, int, WPARAM, LPARAM, bool) { ++second; });
    ASSERT_EQ(control.EventTable().size(), 1u);
    SendControlMessage(window.windowIndex, 1, host.Get(), UIM_CLICK, 0, 0, true);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(ControlWindow, ControlsCreatedOnAWorkerPaintOnTheWindowThread) {
    FillControl control;
    std::atomic<bool> done = false;
    std::atomic<int> id = 0;
    std::thread worker([&] {
        id = control.Create(host.Get(), 100, 40, 20, 20, kRed);
        control.SetColor(kGreen);
        done = true;
        PostThreadMessageW(GetWindowThreadProcessId(host.Get(), nullptr), WM_NULL, 0, 0);
    });
    // Stands in for the program's message loop while the worker builds.
    for (int spins = 0; spins < 500 && !done; ++spins) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    worker.join();
    EXPECT_EQ(id, 1);
    EXPECT_EQ(control.paintThread, GetCurrentThreadId());
    EXPECT_EQ(window.frameBuffer.PixelAt(105, 45), kGreen);
}

TEST_F(ControlWindow, FadeTimerPresentsTheControl) {
    window.ControlFade(true);
    FillControl control;
    control.Create(host.Get(), 100, 40, 20, 20, kRed);
    EXPECT_EQ(window.presentBuffer.PixelAt(105, 45), 0xDC000000u) << "not yet presented";
    for (int spins = 0; spins < 100 && window.presentBuffer.PixelAt(105, 45) != kRed; ++spins) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_EQ(window.presentBuffer.PixelAt(105, 45), kRed);
}

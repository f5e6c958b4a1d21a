#pragma once
// A framework window shaped like the main window, with controls presenting
// at once, and ways to look at what it composed and to send it messages.

#include "UiTestSupport.h"

#include "ui/WindowTable.h"
#include "ui/controls/Drawing.h"

#include <gtest/gtest.h>

#include <functional>

// The frame's pixel where nothing is drawn: black at alpha 220.
inline constexpr ArgbColor kBackground = 0xDC000000;

struct InkBox {
    int left = 0;
    int top = 0;
    int right = -1; // inclusive
    int bottom = -1;
    bool Empty() const { return right < left; }
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

class ControlsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        AttachArgs args = MainWindowArgs();
        args.controlFade = false;
        window.Attach(host.Get(), args);
    }
    void TearDown() override { host.Destroy(); }

    ArgbColor Pixel(int x, int y) const { return window.frameBuffer.PixelAt(x, y); }

    // The box of the pixels in [x0, x1) x [y0, y1) that pass the test.
    InkBox FindInk(int x0, int y0, int x1, int y1,
                   const std::function<bool(ArgbColor)>& isInk) const {
        InkBox box{x1, y1, -1, -1};
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (isInk(Pixel(x, y))) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x);
                    box.bottom = std::max(box.bottom, y);
                }
            }
        }
        return box;
    }

    // Paints a marker straight onto the frame, so that a later look tells
    // whether the control painted over it.
    void Mark(int x, int y, int width, int height, ArgbColor color = 0xFFFF00FF) {
        FillRectSolid(window.frameBuffer.Graphics(), PixelRectF(x, y, width + 1, height + 1),
                      color);
    }

    // Delivers a mouse or click message to a control as the window would.
    void Send(const UiControl& control, UINT message, WPARAM wParam = 0) {
        SendControlMessage(window.windowIndex,
                           FindControlPosition(window.windowIndex, control.GetId()), host.Get(),
                           message, wParam, 0, true);
    }

    int PositionOf(const UiControl& control) const {
        return FindControlPosition(window.windowIndex, control.GetId());
    }

    TestWindow host{339, 140};
    UiWindow window;
};

inline unsigned Red(ArgbColor c) {
    return (c >> 16) & 0xFF;
}
inline unsigned Green(ArgbColor c) {
    return (c >> 8) & 0xFF;
}
inline unsigned Blue(ArgbColor c) {
    return c & 0xFF;
}

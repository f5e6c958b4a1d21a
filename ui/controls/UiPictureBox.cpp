#include "ui/controls/UiPictureBox.h"

#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"

#include <algorithm>

namespace {

// For frames past the end of a short delay list that has no last entry to
// repeat.
constexpr std::int32_t kFallbackDelay = 10;

} // namespace

int UiPictureBox::Register(HWND window, int x, int y, int width, int height, bool visible) {
    CreateControl(window, PixelRectF(x, y, width, height), kTypePictureBox, visible, true);
    frameCount_ = static_cast<int>(image_.GetFrameCount());
    return GetId();
}

int UiPictureBox::Create(HWND window, int x, int y, int width, int height, std::string_view bytes,
                         bool animate, bool fixZeroDelays, int borderStyle, bool visible) {
    image_.LoadFromBytes(bytes);
    animate_ = animate;
    borderStyle_ = borderStyle;
    Register(window, x, y, width, height, visible);
    image_.GetFrameDelays(frameDelays_);
    if (fixZeroDelays) {
        std::replace(frameDelays_.begin(), frameDelays_.end(), 0, 10);
    }
    if (visible) {
        Redraw();
    }
    return GetId();
}

int UiPictureBox::CreateFromIcon(HWND window, int x, int y, int width, int height, HICON icon,
                                 int borderStyle, bool visible) {
    image_.LoadFromIcon(icon);
    animate_ = false;
    borderStyle_ = borderStyle;
    Register(window, x, y, width, height, visible);
    if (visible) {
        Redraw();
    }
    return GetId();
}

bool UiPictureBox::Animate(std::optional<bool> value) {
    if (value) {
        frameIndex_ = 0;
        animate_ = *value;
        if (!animate_) {
            started_ = false;
        }
        Redraw();
    }
    return animate_;
}

void UiPictureBox::SetImage(std::string_view bytes, bool redraw) {
    OnWindowThread([&] {
        image_.LoadFromBytes(bytes);
        frameCount_ = static_cast<int>(image_.GetFrameCount());
        std::vector<std::int32_t> delays;
        if (image_.GetFrameDelays(delays)) {
            frameDelays_ = std::move(delays);
        }
    });
    if (redraw) {
        Redraw();
    }
}

UINT UiPictureBox::FrameDelayMs(int frame) const {
    std::int32_t delay = kFallbackDelay;
    if (!frameDelays_.empty()) {
        delay = frameDelays_[std::min(static_cast<size_t>(frame), frameDelays_.size() - 1)];
    }
    return static_cast<UINT>(std::max<std::int32_t>(delay, 0)) * 10;
}

LRESULT UiPictureBox::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM,
                                    int windowIndex, int position, bool standalone) {
    switch (message) {
    case WM_PAINT:
        if (!animate_) {
            frameIndex_ = 0;
            PaintFrame(windowIndex, position, GetRect(), standalone);
        } else if (!started_) {
            PaintFrame(windowIndex, position, GetRect(), standalone);
            started_ = true;
        }
        break;
    case WM_TIMER:
        if (animate_ && frameCount_ > 0) {
            PaintFrame(windowIndex, position, GetRect(), standalone);
        } else {
            KillTimer(window, wParam);
        }
        break;
    case WM_DESTROY:
        if (animate_) {
            KillTimer(window, ControlTimerId(windowIndex, position));
            frameIndex_ = 0;
            frameCount_ = 0;
            animate_ = false;
            started_ = false;
        }
        image_.Dispose();
        break;
    default:
        break;
    }
    return 0;
}

void UiPictureBox::PaintFrame(int windowIndex, int position, const RectF& rect, bool standalone) {
    if (Visible()) {
        if (frameIndex_ >= frameCount_) {
            frameIndex_ = 0;
        }
        UiWindow* window = FindUiWindow(windowIndex);
        const bool painting = BeginControlPaint(windowIndex, position, rect, false, standalone);
        if (painting) {
            GpGraphics* graphics = window->frameBuffer.Graphics();
            image_.SelectFrame(static_cast<unsigned>(frameIndex_));
            DrawImageStretched(graphics, image_.GetHandle(), rect);
            if (borderStyle_ != 0) {
                DrawBorder(graphics, rect, static_cast<ArgbColor>(borderStyle_));
            }
            EndControlPaint(
                windowIndex, position, rect, standalone,
                EndPaintOptions{.presentNow = frameCount_ == 0, .doNotPresent = frameCount_ > 0});
        }
        // The timer is armed even when the window held back the paint (in a
        // full repaint or an animation), so the frames keep coming after it.
        if (window && frameCount_ > 0) {
            const HWND hwnd = window->Hwnd();
            const UINT_PTR timer = ControlTimerId(windowIndex, position);
            KillTimer(hwnd, timer);
            SetTimer(hwnd, timer, FrameDelayMs(frameIndex_), nullptr);
            if (painting && standalone) {
                window->PresentRect(rect, 255);
            }
        }
    }
    ++frameIndex_;
}

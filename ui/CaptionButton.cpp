#include "ui/CaptionButton.h"

#include "ui/CaptionSprite.h"
#include "ui/Framework.h"
#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"

namespace {

// Sprite order of the 28-pixel kinds; restore sits between maximise and
// minimise.
int ButtonSlot(int kind, bool zoomed) {
    switch (kind) {
    case kCaptionMaximize:
        return zoomed ? 1 : 0;
    case kCaptionMinimize:
        return 2;
    case kCaptionMenu:
        return 3;
    case kCaptionSkin:
        return 4;
    case kCaptionMessage:
        return 5;
    default:
        return 6;
    }
}

} // namespace

int CaptionButton::Create(HWND window, int x, int y, int width, int height, int kind,
                          bool visible) {
    kind_ = kind;
    const RectF rect = PixelRectF(x, y, width, height);
    CreateControl(window, rect, kTypeCaptionButton, visible, true);
    if (visible) {
        Redraw();
    }
    return GetId();
}

int CaptionButton::FrameX(HWND window) const {
    if (kind_ == kCaptionClose) {
        return look_ * kCloseFramePitch;
    }
    const int slot = ButtonSlot(kind_, IsZoomed(window) != FALSE);
    return kFirstButtonFrame + (slot * 3 + look_) * kButtonFramePitch;
}

void CaptionButton::Paint(HWND window, int windowIndex, int position, bool standalone) {
    UiWindow* owner = FindUiWindow(windowIndex);
    const RectF rect = GetRect();
    if (!owner || !BeginControlPaint(windowIndex, position, rect, false, standalone)) {
        return;
    }
    const float frameWidth =
        static_cast<float>(kind_ == kCaptionClose ? kCloseFrameWidth : kButtonFrameWidth);
    DrawImageStretched(owner->frameBuffer.Graphics(), Framework().captionSprite.GetHandle(), rect,
                       MakeRectF(static_cast<float>(FrameX(window)), 0, frameWidth, rect.height));
    EndControlPaint(windowIndex, position, rect, standalone, {.noFade = true});
}

LRESULT CaptionButton::HandleMessage(HWND window, UINT message, WPARAM, LPARAM lParam,
                                     int windowIndex, int position, bool standalone) {
    switch (message) {
    case WM_PAINT:
        // lParam 1: the mouse left the button.
        if (lParam == 1) {
            look_ = 0;
        }
        Paint(window, windowIndex, position, standalone);
        break;
    case WM_MOUSEMOVE:
        if (!IsLocked() && look_ == 0) {
            look_ = 1;
            Paint(window, windowIndex, position, true);
        }
        break;
    case WM_LBUTTONDOWN:
        if (!IsLocked()) {
            look_ = 2;
            Paint(window, windowIndex, position, true);
        }
        break;
    case WM_LBUTTONUP:
        if (!IsLocked()) {
            look_ = 0;
            Paint(window, windowIndex, position, true);
        }
        break;
    case UIM_CLICK:
        if (kind_ == kCaptionClose) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        } else if (kind_ == kCaptionMaximize) {
            PostMessageA(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
        } else if (kind_ == kCaptionMinimize && !IsIconic(window)) {
            PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        break;
    default:
        break;
    }
    return 0;
}

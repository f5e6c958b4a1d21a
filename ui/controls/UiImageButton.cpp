#include "ui/controls/UiImageButton.h"

#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"

namespace {

// Where a fade starts: a change of look from the mouse moving shows more of
// the old look than a press does.
constexpr int kHoverFadeStart = 102;
constexpr int kPressFadeStart = 153;
constexpr int kFadeStep = 51;

} // namespace

int UiImageButton::Create(HWND window, int x, int y, int width, int height, std::string_view normal,
                          std::optional<std::string_view> hover,
                          std::optional<std::string_view> pressed, bool stretch, bool visible) {
    normalImage_.LoadFromBytes(normal);
    hoverImage_.LoadFromBytes(hover.value_or(normal));
    pressedImage_.LoadFromBytes(pressed.value_or(normal));
    stretch_ = stretch;
    CreateControl(window, PixelRectF(x, y, width, height), kTypeImageButton, visible, true);
    if (visible) {
        Redraw();
    }
    return GetId();
}

void UiImageButton::SetImages(std::optional<std::string_view> normal,
                              std::optional<std::string_view> hover,
                              std::optional<std::string_view> pressed) {
    OnWindowThread([&] {
        if (normal) {
            normalImage_.LoadFromBytes(*normal);
        }
        if (hover) {
            hoverImage_.LoadFromBytes(*hover);
        }
        if (pressed) {
            pressedImage_.LoadFromBytes(*pressed);
        }
    });
    Redraw();
}

LRESULT UiImageButton::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM,
                                     int windowIndex, int position, bool standalone) {
    switch (message) {
    case WM_PAINT:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        Paint(message, windowIndex, position, standalone);
        break;
    case WM_TIMER:
        if (fadeAlpha_ < 255) {
            fadeAlpha_ += kFadeStep;
            FindUiWindow(windowIndex)->PresentRect(GetRect(), static_cast<BYTE>(fadeAlpha_));
        } else {
            KillTimer(window, wParam);
            fadeAlpha_ = 0;
        }
        break;
    case WM_DESTROY:
        normalImage_.Dispose();
        hoverImage_.Dispose();
        pressedImage_.Dispose();
        break;
    default:
        break;
    }
    return 0;
}

void UiImageButton::Paint(UINT message, int windowIndex, int position, bool standalone) {
    UiWindow* window = FindUiWindow(windowIndex);
    if (message != WM_PAINT) {
        // A repeated mouse move does not repaint.
        if ((IsLocked() && standalone) || message == lastMessage_) {
            return;
        }
    }
    // A held button keeps its pressed look while the mouse moves.
    if (message == WM_MOUSEMOVE && window && window->pressedControl == position) {
        return;
    }
    const RectF rect = GetRect();
    if (!BeginControlPaint(windowIndex, position, rect, fadeAlpha_ != 0, standalone)) {
        return;
    }
    const UiImage* image = &normalImage_;
    fadeAlpha_ = kHoverFadeStart;
    if (message == WM_MOUSEMOVE) {
        image = &hoverImage_;
    } else if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        image = &pressedImage_;
        fadeAlpha_ = kPressFadeStart;
    }
    GpGraphics* graphics = window->frameBuffer.Graphics();
    if (stretch_) {
        DrawImageStretched(graphics, image->GetHandle(), rect);
    } else {
        const PixelBox box = ToPixelBox(rect);
        DrawImageAt(graphics, image->GetHandle(), static_cast<float>(box.left),
                    static_cast<float>(box.top));
    }
    EndControlPaint(windowIndex, position, rect, standalone);
    lastMessage_ = message;
}

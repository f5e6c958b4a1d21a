#include "ui/controls/UiSlider.h"

#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"
#include "ui/controls/SliderThumbs.h"

#include <algorithm>

namespace {

constexpr float kPercent = 100.0f;
// The thumb's centre stops this far from either end of the slider.
constexpr int kTrackMargin = 9;
constexpr ArgbColor kTrackHighlight = 0x5AFFFFFF;
constexpr ArgbColor kShadeTop = 0x00FFFFFF;
constexpr ArgbColor kShadeBottom = 0x3C000000;
constexpr int kHandCursor = 32649;

} // namespace

int UiSlider::Create(HWND window, int x, int y, int width, int height,
                     const SliderOptions& options) {
    barHeight_ = options.barHeight;
    value_ = options.value;
    bufferValue_ = options.bufferValue;
    playedColor1_ = options.playedColor1;
    playedColor2_ = options.playedColor2;
    bufferColor_ = options.bufferColor;
    trackColor_ = options.trackColor;
    trackOutlineColor_ = options.trackOutlineColor;
    thumbEnabled_ = options.thumbEnabled;
    thumbImage_.LoadFromBytes(options.thumbImage.value_or(SliderThumbPng()));
    thumbHoverImage_.LoadFromBytes(options.thumbHoverImage.value_or(SliderThumbHoverPng()));
    const int windowIndex = FindWindowIndex(window);
    const UiWindow* owner = windowIndex > 0 ? FindUiWindow(windowIndex) : nullptr;
    rounded_ = options.rounded.value_or(owner == nullptr || owner->frameStyle != 0);
    CreateControl(window, PixelRectF(x, y, width, std::max(height, 12)), kTypeSlider,
                  options.visible, true);
    if (options.visible) {
        Redraw();
    }
    return GetId();
}

float UiSlider::SetClamped(float& field, std::optional<float> value) {
    if (value && *value != field) {
        field = std::clamp(*value, 0.0f, kPercent);
        Redraw();
    }
    return field;
}

float UiSlider::Value(std::optional<float> value) {
    return SetClamped(value_, value);
}

float UiSlider::BufferValue(std::optional<float> value) {
    return SetClamped(bufferValue_, value);
}

void UiSlider::SetChangeHandler(ChangeHandler handler) {
    changeHandler_ = std::move(handler);
}

void UiSlider::Report() const {
    if (changeHandler_) {
        changeHandler_(static_cast<int>(value_));
    }
}

void UiSlider::TrackCursor(int windowIndex) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const WindowRecord* window = FindWindowRecord(windowIndex);
    const int windowLeft = window ? window->windowRect.left : 0;
    const float span = static_cast<float>(Width() - 2 * kTrackMargin);
    const float offset = static_cast<float>(cursor.x - windowLeft - Left() - kTrackMargin);
    // A slider no wider than its margins gives 0 or 100 rather than nonsense.
    const float v = span > 0 ? offset / span * kPercent : (offset > 0 ? kPercent : 0.0f);
    value_ = std::clamp(v, 0.0f, kPercent);
}

LRESULT UiSlider::HandleMessage(HWND, UINT message, WPARAM, LPARAM, int windowIndex, int position,
                                bool standalone) {
    switch (message) {
    case UIM_CLICK:
        if (thumbEnabled_) {
            TrackCursor(windowIndex);
            if (!IsLocked()) {
                DrawSlider(windowIndex, position, GetRect(), standalone);
                Report();
            }
        }
        break;
    case WM_PAINT:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        if (message != WM_PAINT &&
            ((IsLocked() && standalone) || (!thumbEnabled_ && message == lastMessage_))) {
            break;
        }
        const UiWindow* owner = FindUiWindow(windowIndex);
        if (message == WM_MOUSEMOVE && owner && owner->pressedControl == position) {
            // A drag: the value follows the mouse.
            if (!thumbEnabled_) {
                break;
            }
            TrackCursor(windowIndex);
            if (!IsLocked()) {
                DrawSlider(windowIndex, position, GetRect(), standalone);
                Report();
            }
            break;
        }
        DrawSlider(windowIndex, position, GetRect(), standalone);
        lastMessage_ = message;
        break;
    }
    case WM_DESTROY:
        thumbImage_.Dispose();
        thumbHoverImage_.Dispose();
        break;
    default:
        break;
    }
    return 0;
}

void UiSlider::DrawTrack(GpGraphics* graphics, RectF& track) const {
    RectF inner = track;
    InflateRectF(inner, 1, 1, -2, -2);
    if (rounded_) {
        PaintRoundedRect(graphics, track, 7, trackColor_, trackOutlineColor_);
        PaintRoundedRect(graphics, inner, 6, std::nullopt, kTrackHighlight);
    } else {
        FillRectSolid(graphics, track, trackColor_);
        DrawBorder(graphics, track, trackOutlineColor_);
        DrawBorder(graphics, inner, kTrackHighlight);
    }
}

void UiSlider::DrawSlider(int windowIndex, int position, const RectF& rect, bool standalone) {
    if (!BeginControlPaint(windowIndex, position, rect, false, standalone)) {
        return;
    }
    UiWindow* window = FindUiWindow(windowIndex);
    GpGraphics* graphics = window->frameBuffer.Graphics();
    const float thumbWidth = static_cast<float>(thumbImage_.GetWidth());
    const float thumbHeight = static_cast<float>(thumbImage_.GetHeight());

    RectF track = rect;
    if (thumbEnabled_) {
        InflateRectF(track, thumbWidth / 2, 2, -thumbWidth, -4);
    } else {
        InflateRectF(track, 2, 2, -4, -4);
    }
    const float bar = static_cast<float>(barHeight_);
    if (track.height > bar) {
        track.y += (track.height - bar) / 2;
        track.height = bar;
    }
    DrawTrack(graphics, track);

    RectF part = track;
    InflateRectF(part, 2, 2, -4, -4);
    const float full = static_cast<float>(static_cast<int>(part.width));
    if (bufferValue_ > 1e-7f) {
        part.width = bufferValue_ * full / kPercent;
        if (rounded_) {
            PaintRoundedRect(graphics, part, 5, bufferColor_);
        } else {
            FillRectSolid(graphics, part, bufferColor_);
        }
    }
    part.width = full * value_ / kPercent;
    if (part.width > 0) {
        // The gradient spans the whole bar; the clip shows the played part.
        float margin = 2;
        PathOwner clip;
        if (rounded_) {
            clip = MakeRoundedClipPath(part, 3);
            gp::GdipSetClipPath(graphics, clip.Get(), Gdiplus::CombineModeReplace);
            margin = 1;
        } else {
            SetClipRectF(graphics, part);
        }
        part.x = track.x + margin;
        part.width = track.width - 2 * margin;
        FillGradient(graphics, part, playedColor1_, playedColor2_, GradientMode::Horizontal);
        FillGradient(graphics, part, kShadeTop, kShadeBottom, GradientMode::Vertical);
        gp::GdipResetClip(graphics);
    }

    if (thumbEnabled_) {
        const RectF thumb =
            MakeRectF(track.x + track.width * value_ / kPercent - thumbWidth / 2,
                      rect.y + (rect.height - thumbHeight) / 2, thumbWidth, thumbHeight);
        POINT cursor{};
        GetCursorPos(&cursor);
        const RECT& windowRect = FindWindowRecord(windowIndex)->windowRect;
        const bool hot = PointInRect(thumb, static_cast<float>(cursor.x - windowRect.left),
                                     static_cast<float>(cursor.y - windowRect.top)) ||
                         window->pressedControl == position;
        if (hot) {
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(kHandCursor)));
        }
        const UiImage& image = hot ? thumbHoverImage_ : thumbImage_;
        if (!image.Empty()) {
            gp::GdipDrawImageRect(graphics, image.GetHandle(), thumb.x, thumb.y, thumbWidth,
                                  thumbHeight);
        }
    }
    EndControlPaint(windowIndex, position, rect, standalone, EndPaintOptions{.presentNow = true});
}

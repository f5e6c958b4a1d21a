#include "ui/controls/UiLabel.h"

#include "ui/Fonts.h"
#include "ui/Framework.h"
#include "ui/UiWindow.h"

namespace {

ArgbColor OrTransparent(ArgbColor color) {
    return color == kNoColor ? 0 : color;
}

} // namespace

int UiLabel::Create(HWND window, std::string text, int x, int y, int width, int height,
                    const LabelOptions& options) {
    text_ = std::move(text);
    textColor_ = options.textColor;
    gradientMode_ = options.gradientMode;
    gradientColor1_ = options.gradientColor1;
    gradientColor2_ = options.gradientColor2;
    alignment_ = options.alignment;
    formatFlags_ = options.formatFlags;
    trimming_ = options.trimming;
    hotkeyPrefix_ = options.hotkeyPrefix;
    effect_ = options.effect;
    borderStyle_ = options.borderStyle;
    if (options.fontFamily || options.fontSize || options.fontStyle) {
        // An empty family name falls back to the default font's family.
        ownFont_ =
            CreateFontByName(options.fontFamily.value_or(std::string()),
                             options.fontSize.value_or(12.0f), options.fontStyle.value_or(0));
    }
    CreateControl(window, PixelRectF(x, y, width, height), kTypeLabel, options.visible, false);
    if (options.visible) {
        Redraw();
    }
    return GetId();
}

std::string UiLabel::SetText(std::optional<std::string> text) {
    if (text) {
        text_ = std::move(*text);
        Redraw();
    }
    return text_;
}

void UiLabel::SetTextColour(ArgbColor color) {
    textColor_ = color;
    Redraw();
}

bool UiLabel::AutoColour(std::optional<bool> value) {
    if (value) {
        autoColour_ = *value;
    }
    return autoColour_;
}

ArgbColor UiLabel::GradientColour1(std::optional<ArgbColor> value) {
    if (value) {
        gradientColor1_ = *value;
        Redraw();
    }
    return gradientColor1_;
}

ArgbColor UiLabel::GradientColour2(std::optional<ArgbColor> value) {
    if (value) {
        gradientColor2_ = *value;
        Redraw();
    }
    return gradientColor2_;
}

int UiLabel::GradientMode(std::optional<int> value) {
    if (value) {
        gradientMode_ = *value;
        Redraw();
    }
    return gradientMode_;
}

GpFont* UiLabel::Font() const {
    return ownFont_ ? ownFont_.Get() : Framework().defaultFont.Get();
}

LRESULT UiLabel::HandleMessage(HWND, UINT message, WPARAM, LPARAM, int windowIndex, int position,
                               bool standalone) {
    switch (message) {
    case WM_PAINT:
        Paint(windowIndex, position, standalone);
        break;
    case WM_DESTROY:
        ownFont_.Reset();
        break;
    default:
        break;
    }
    return 0;
}

void UiLabel::Paint(int windowIndex, int position, bool standalone) {
    RectF rect = GetRect();
    if (!BeginControlPaint(windowIndex, position, rect, false, standalone)) {
        return;
    }
    GpGraphics* graphics = FindUiWindow(windowIndex)->frameBuffer.Graphics();
    if (borderStyle_ != 0) {
        DrawBorder(graphics, rect, static_cast<ArgbColor>(borderStyle_));
    }
    if (gradientMode_ != kNoGradient) {
        FillGradient(graphics, rect, OrTransparent(gradientColor1_), OrTransparent(gradientColor2_),
                     static_cast<::GradientMode>(gradientMode_));
    }
    if (!text_.empty()) {
        InflateRectF(rect, 2, 2, -4, -4);
        if (autoColour_) {
            const ArgbColor rgb = IsBackgroundDark(windowIndex, rect) ? 0xFFFFFF : 0;
            textColor_ = (textColor_ & 0xFF000000) | rgb;
        }
        DrawTextStyled(rect, graphics, text_, Font(), textColor_,
                       TextStyle{.alignment = alignment_,
                                 .trimming = static_cast<Gdiplus::StringTrimming>(trimming_),
                                 .hotkeyPrefix = static_cast<Gdiplus::HotkeyPrefix>(hotkeyPrefix_),
                                 .formatFlags = formatFlags_,
                                 .effect = static_cast<TextEffect>(effect_)});
    }
    EndControlPaint(windowIndex, position, GetRect(), standalone,
                    EndPaintOptions{.presentNow = standalone});
}

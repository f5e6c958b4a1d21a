#pragma once
// One line of text in a rectangle of a framework window, with an optional
// border and gradient background. A press on a label drags its window.

#include "ui/controls/Drawing.h"
#include "ui/controls/UiControl.h"

#include <optional>
#include <string>

// Given colours; -1 stands for fully transparent black.
inline constexpr ArgbColor kNoColor = static_cast<ArgbColor>(-1);
inline constexpr int kNoGradient = -1;

struct LabelOptions {
    ArgbColor textColor = 0xE6000000;
    int gradientMode = kNoGradient;
    ArgbColor gradientColor1 = kNoColor;
    ArgbColor gradientColor2 = kNoColor;
    // With none of the three the label uses the framework's default font.
    std::optional<std::string> fontFamily;
    std::optional<float> fontSize;
    std::optional<int> fontStyle;
    int alignment = 3;
    int formatFlags = Gdiplus::StringFormatFlagsNoWrap;
    int trimming = Gdiplus::StringTrimmingNone;
    int hotkeyPrefix = Gdiplus::HotkeyPrefixNone;
    int effect = 0;
    int borderStyle = 0;
    bool visible = true;
};

class UiLabel : public UiControl {
public:
    // The text is program text (code page 936). Returns the id, 0 when the
    // window is not a framework window.
    int Create(HWND window, std::string text, int x, int y, int width, int height,
               const LabelOptions& options = {});

    // Every setting repaints, even with the text already shown.
    std::string SetText(std::optional<std::string> text = {});
    void SetTextColour(ArgbColor color);
    // White over a dark background, black otherwise, chosen at every paint.
    bool AutoColour(std::optional<bool> value = {});
    ArgbColor GradientColour1(std::optional<ArgbColor> value = {});
    ArgbColor GradientColour2(std::optional<ArgbColor> value = {});
    int GradientMode(std::optional<int> value = {});

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

private:
    void Paint(int windowIndex, int position, bool standalone);
    GpFont* Font() const;

    std::string text_;
    // Empty while the label uses the framework's default font.
    FontOwner ownFont_;
    int alignment_ = 3;
    int formatFlags_ = Gdiplus::StringFormatFlagsNoWrap;
    int trimming_ = Gdiplus::StringTrimmingNone;
    int hotkeyPrefix_ = Gdiplus::HotkeyPrefixNone;
    ArgbColor textColor_ = 0xE6000000;
    int gradientMode_ = kNoGradient;
    ArgbColor gradientColor1_ = kNoColor;
    ArgbColor gradientColor2_ = kNoColor;
    int effect_ = 0;
    int borderStyle_ = 0;
    bool autoColour_ = false;
};

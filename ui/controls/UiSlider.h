#pragma once
// A horizontal bar with two values in percent: the main value as a played
// part with a draggable thumb, and a second value drawn behind it (how much
// of a song has downloaded, say). Drags and clicks set the main value from
// the mouse and report it to the program.

#include "ui/controls/UiControl.h"
#include "ui/controls/UiImage.h"

#include <functional>
#include <optional>
#include <string_view>

struct SliderOptions {
    int barHeight = 10;
    float value = 0.0f;
    float bufferValue = 0.0f;
    ArgbColor playedColor1 = 0xE60088FF;
    ArgbColor playedColor2 = 0xE600E080;
    ArgbColor bufferColor = 0x46FFFFFF;
    ArgbColor trackColor = 0;
    ArgbColor trackOutlineColor = 0x46000000;
    bool thumbEnabled = true;
    // Not given: the built-in knobs.
    std::optional<std::string_view> thumbImage;
    std::optional<std::string_view> thumbHoverImage;
    // Not given: rounded unless the window is drawn without a frame style.
    std::optional<bool> rounded;
    bool visible = true;
};

class UiSlider : public UiControl {
public:
    using ChangeHandler = std::function<void(int value)>;

    // A height below 12 becomes 12; the values are kept as given.
    int Create(HWND window, int x, int y, int width, int height, const SliderOptions& options = {});

    // Setting a different value clamps it to 0..100 and repaints.
    float Value(std::optional<float> value = {});
    float BufferValue(std::optional<float> value = {});
    void SetChangeHandler(ChangeHandler handler);
    // Sets the value from the cursor's x, 9 pixels in from either end being
    // 0 and 100; no repaint, no report.
    void TrackCursor(int windowIndex);
    void DrawSlider(int windowIndex, int position, const RectF& rect, bool standalone);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

private:
    float SetClamped(float& field, std::optional<float> value);
    void Report() const;
    void DrawTrack(GpGraphics* graphics, RectF& track) const;

    UINT lastMessage_ = 0;
    float value_ = 0.0f;
    float bufferValue_ = 0.0f;
    bool thumbEnabled_ = true;
    UiImage thumbImage_;
    UiImage thumbHoverImage_;
    ArgbColor bufferColor_ = 0;
    ArgbColor playedColor1_ = 0;
    ArgbColor playedColor2_ = 0;
    ArgbColor trackColor_ = 0;
    ChangeHandler changeHandler_;
    ArgbColor trackOutlineColor_ = 0;
    bool rounded_ = true;
    int barHeight_ = 10;
};

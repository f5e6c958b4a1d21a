#pragma once
// A picture stretched to its rectangle, with an optional border; animated
// images (GIF) can play their frames at their own delays.

#include "ui/controls/UiControl.h"
#include "ui/controls/UiImage.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class UiPictureBox : public UiControl {
public:
    // Empty bytes give an empty picture: only the border is drawn. With
    // fixZeroDelays, frames without a delay show for 100 ms.
    int Create(HWND window, int x, int y, int width, int height, std::string_view bytes,
               bool animate = false, bool fixZeroDelays = false, int borderStyle = 0,
               bool visible = true);
    int CreateFromIcon(HWND window, int x, int y, int width, int height, HICON icon,
                       int borderStyle = 0, bool visible = true);

    // Setting starts again at the first frame.
    bool Animate(std::optional<bool> value = {});
    // Keeps the frame position: a running animation goes on with the new
    // picture, or stops at its next tick when the picture is still.
    void SetImage(std::string_view bytes, bool redraw = true);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

    // Draws the next frame into rect.
    void PaintFrame(int windowIndex, int position, const RectF& rect, bool standalone);

private:
    int Register(HWND window, int x, int y, int width, int height, bool visible);
    UINT FrameDelayMs(int frame) const;

    UiImage image_;
    bool animate_ = false;
    int borderStyle_ = 0;
    int frameIndex_ = 0;
    int frameCount_ = 0;
    bool started_ = false;
    std::vector<std::int32_t> frameDelays_;
};

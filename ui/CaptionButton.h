#pragma once
// A caption button of a framework window (close, maximise/restore,
// minimise, menu, skin, message, settings), drawn from the caption sprite.

#include "ui/controls/UiControl.h"

class CaptionButton : public UiControl {
public:
    // kind is one of the caption flags 4 to 256.
    int Create(HWND window, int x, int y, int width, int height, int kind, bool visible = true);
    int Kind() const { return kind_; }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

private:
    void Paint(HWND window, int windowIndex, int position, bool standalone);
    // x of the sprite frame for the current look.
    int FrameX(HWND window) const;

    int kind_ = 0;
    // 0 normal, 1 hover, 2 pressed.
    int look_ = 0;
};

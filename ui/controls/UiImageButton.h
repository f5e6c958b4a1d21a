#pragma once
// A button drawn from three images: normal, hover and pressed, fading
// between looks when its window fades its controls. It does not act on a
// click itself: the window reports the click with the button's id.

#include "ui/controls/UiControl.h"
#include "ui/controls/UiImage.h"

#include <optional>
#include <string_view>

class UiImageButton : public UiControl {
public:
    // Looks without bytes of their own show the normal image. Without
    // stretch each image is drawn at its natural size at the top-left corner.
    int Create(HWND window, int x, int y, int width, int height, std::string_view normal,
               std::optional<std::string_view> hover = {},
               std::optional<std::string_view> pressed = {}, bool stretch = false,
               bool visible = true);
    // Replaces the looks given and repaints.
    void SetImages(std::optional<std::string_view> normal,
                   std::optional<std::string_view> hover = {},
                   std::optional<std::string_view> pressed = {});

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

private:
    void Paint(UINT message, int windowIndex, int position, bool standalone);

    UINT lastMessage_ = 0;
    UiImage normalImage_;
    UiImage hoverImage_;
    UiImage pressedImage_;
    bool stretch_ = false;
    // Alpha of the running fade; 0 when none has started.
    int fadeAlpha_ = 0;
};

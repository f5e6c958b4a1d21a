#pragma once
// The built-in caption-button artwork (ui/art/caption_sprite.png, drawn by
// tools/art/caption_sprite.py): 729 x 20 pixels, one row of 24 frames.

#include <string_view>

std::string_view CaptionSpritePng();

// x of a sprite frame: look 0 normal, 1 hover, 2 pressed.
inline constexpr int kCloseFrameWidth = 39;
inline constexpr int kCloseFramePitch = 40;
inline constexpr int kButtonFrameWidth = 28;
inline constexpr int kButtonFramePitch = 29;
inline constexpr int kFirstButtonFrame = 120;
inline constexpr int kSpriteHeight = 20;

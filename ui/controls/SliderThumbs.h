#pragma once
// The slider's built-in thumbs (ui/art/thumb_*.png, drawn by
// tools/art/slider_thumbs.py): 14 x 14 round knobs with a soft shadow.

#include <string_view>

std::string_view SliderThumbPng();
std::string_view SliderThumbHoverPng();

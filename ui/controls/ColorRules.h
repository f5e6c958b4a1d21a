#pragma once
// Colour rules of the framework's drawing; free of any platform header.

#include "app/MakeArgb.h"

#include <cstdint>

// A Windows colour value 0x00BBGGRR.
using ColorRef = std::uint32_t;

// Dark when fewer than two of red, green and blue reach 126.
bool IsDarkColor(ArgbColor color);

// 0xAARRGGBB to 0x00BBGGRR, the alpha dropped.
constexpr ColorRef ArgbToColorRef(ArgbColor color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// The same colour with its alpha replaced.
constexpr ArgbColor WithAlpha(ArgbColor color, std::uint8_t alpha) {
    return (color & 0x00FFFFFFu) | (static_cast<ArgbColor>(alpha) << 24);
}

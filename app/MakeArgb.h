#pragma once

#include <cstdint>
#include <optional>

// A colour of drawing and of controls: 0xAARRGGBB.
using ArgbColor = std::uint32_t;

// Builds an ArgbColor from a Windows colour value (0x00BBGGRR) and an alpha.
// The result is never fully opaque: an omitted alpha or 255 gives 254.
constexpr ArgbColor MakeArgb(std::uint32_t colorRef, std::optional<std::uint8_t> alpha = {}) {
    const std::uint32_t a = (!alpha || *alpha == 255) ? 254 : *alpha;
    const std::uint32_t r = colorRef & 0xFF;
    const std::uint32_t g = (colorRef >> 8) & 0xFF;
    const std::uint32_t b = (colorRef >> 16) & 0xFF;
    return (a << 24) | (r << 16) | (g << 8) | b;
}

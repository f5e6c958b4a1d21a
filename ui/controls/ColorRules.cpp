#include "ui/controls/ColorRules.h"

bool IsDarkColor(ArgbColor color) {
    constexpr std::uint32_t kBright = 126;
    const int bright = (((color >> 16) & 0xFF) >= kBright) + (((color >> 8) & 0xFF) >= kBright) +
                       ((color & 0xFF) >= kBright);
    return bright < 2;
}

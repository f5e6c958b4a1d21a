#include "server/CoverArt.h"

#include <gd.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace station_server {

namespace {

constexpr int kSize = 240;
constexpr int kGifSize = 160;
constexpr int kGifFrames = 8;

struct ImageRelease {
    void operator()(gdImage* image) const { gdImageDestroy(image); }
};
using ImagePtr = std::unique_ptr<gdImage, ImageRelease>;

struct GdRelease {
    void operator()(void* data) const { gdFree(data); }
};

void Append(std::string& out, void* data, int size) {
    std::unique_ptr<void, GdRelease> owned(data);
    if (data != nullptr && size > 0) {
        out.append(static_cast<const char*>(data), static_cast<size_t>(size));
    }
}

struct Palette {
    int ground, glow, record, groove, label, bar;
};

struct Rgb {
    int r, g, b;
};

Rgb Hue(unsigned seed, int shift, double lightness) {
    double hue = (static_cast<int>(seed * 47 + static_cast<unsigned>(shift)) % 360) / 60.0;
    double x = 1.0 - std::abs(std::fmod(hue, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
    case 0:
        r = 1, g = x;
        break;
    case 1:
        r = x, g = 1;
        break;
    case 2:
        g = 1, b = x;
        break;
    case 3:
        g = x, b = 1;
        break;
    case 4:
        r = x, b = 1;
        break;
    default:
        r = 1, b = x;
        break;
    }
    auto channel = [&](double v) {
        return static_cast<int>(40 + v * 200 * lightness);
    };
    return {channel(r), channel(g), channel(b)};
}

Palette Allocate(gdImage* image, unsigned seed) {
    auto color = [&](Rgb c) {
        return gdImageColorAllocate(image, c.r, c.g, c.b);
    };
    return {color(Hue(seed, 0, 0.6)),
            color(Hue(seed, 30, 0.9)),
            gdImageColorAllocate(image, 24, 24, 28),
            gdImageColorAllocate(image, 60, 60, 66),
            color(Hue(seed, 180, 1.0)),
            color(Hue(seed, 90, 1.0))};
}

// One picture of the cover; frame moves the equalizer bars of the GIF.
void Draw(gdImage* image, const Palette& colors, int size, unsigned seed, int frame) {
    gdImageFilledRectangle(image, 0, 0, size - 1, size - 1, colors.ground);
    gdImageFilledEllipse(image, size / 4, size / 5, size / 2, size / 2, colors.glow);
    int cx = size / 2, cy = size * 2 / 5, radius = size * 3 / 10;
    gdImageFilledEllipse(image, cx, cy, radius * 2, radius * 2, colors.record);
    for (int groove = radius - 6; groove > radius / 3; groove -= 6) {
        gdImageEllipse(image, cx, cy, groove * 2, groove * 2, colors.groove);
    }
    gdImageFilledEllipse(image, cx, cy, radius * 2 / 3, radius * 2 / 3, colors.label);
    gdImageFilledEllipse(image, cx, cy, 6, 6, colors.record);
    const int bars = 9;
    const int barWidth = size / (bars * 2);
    for (int i = 0; i < bars; ++i) {
        double wave = std::sin((i + frame) * 0.9 + seed % 7) * 0.5 + 0.5;
        int height = static_cast<int>(size / 12 + wave * size / 6);
        int x = barWidth / 2 + i * barWidth * 2 + barWidth / 2;
        gdImageFilledRectangle(image, x, size - 8 - height, x + barWidth, size - 8, colors.bar);
    }
}

std::string StillCover(ImageType type, unsigned seed) {
    ImagePtr image(gdImageCreateTrueColor(kSize, kSize));
    if (!image) {
        return {};
    }
    Draw(image.get(), Allocate(image.get(), seed), kSize, seed, 0);
    std::string out;
    int size = 0;
    void* data = type == ImageType::Jpeg ? gdImageJpegPtr(image.get(), &size, 85)
                                         : gdImagePngPtr(image.get(), &size);
    Append(out, data, size);
    return out;
}

std::string AnimatedCover(unsigned seed) {
    std::string out;
    ImagePtr previous;
    for (int frame = 0; frame < kGifFrames; ++frame) {
        ImagePtr image(gdImageCreate(kGifSize, kGifSize));
        if (!image) {
            return {};
        }
        // Every frame allocates the same colours in the same order, so the
        // first frame's palette serves them all.
        Draw(image.get(), Allocate(image.get(), seed), kGifSize, seed, frame);
        int size = 0;
        if (frame == 0) {
            Append(out, gdImageGifAnimBeginPtr(image.get(), &size, 1, 0), size);
        }
        Append(
            out,
            gdImageGifAnimAddPtr(image.get(), &size, 0, 0, 0, 12, gdDisposalNone, previous.get()),
            size);
        previous = std::move(image);
    }
    int size = 0;
    Append(out, gdImageGifAnimEndPtr(&size), size);
    return out;
}

} // namespace

std::string MakeCover(ImageType type, unsigned seed) {
    switch (type) {
    case ImageType::Jpeg:
    case ImageType::Png:
        return StillCover(type, seed);
    case ImageType::Gif:
        return AnimatedCover(seed);
    case ImageType::None:
        break;
    }
    return {};
}

} // namespace station_server

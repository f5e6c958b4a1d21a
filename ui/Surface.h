#pragma once
// One drawing surface of a window: a 32-bit DIB section selected into a
// memory DC, with a GDI+ graphics on that DC.

#include "app/MakeArgb.h"
#include "ui/GdiOwners.h"
#include "ui/controls/GdiplusOwners.h"

class Surface {
public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() { Release(); }

    // (Re)creates the surface at the given size, compatible with the DC.
    void Make(HDC compatibleDc, int width, int height);
    void Release();

    HDC Dc() const { return dc_.Get(); }
    GpGraphics* Graphics() const { return graphics_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The stored pixel (premultiplied BGRA) as 0xAARRGGBB; 0 outside.
    ArgbColor PixelAt(int x, int y) const;

private:
    MemoryDc dc_;
    BitmapOwner bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    GraphicsOwner graphics_;
    const std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

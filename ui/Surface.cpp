#include "ui/Surface.h"

void Surface::Make(HDC compatibleDc, int width, int height) {
    graphics_.Reset();
    if (dc_ && oldBitmap_) {
        SelectObject(dc_.Get(), oldBitmap_);
        oldBitmap_ = nullptr;
    }
    bitmap_.Reset();
    bits_ = nullptr;
    if (!dc_) {
        dc_.Reset(CreateCompatibleDC(compatibleDc));
    }
    width_ = width;
    height_ = height;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) {
        return;
    }
    bits_ = static_cast<const std::uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
    gp::GdipCreateFromHDC(dc_.Get(), graphics_.Receive());
    gp::GdipSetSmoothingMode(graphics_.Get(), Gdiplus::SmoothingModeAntiAlias);
    gp::GdipSetTextRenderingHint(graphics_.Get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
}

void Surface::Release() {
    graphics_.Reset();
    if (dc_ && oldBitmap_) {
        SelectObject(dc_.Get(), oldBitmap_);
    }
    oldBitmap_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

ArgbColor Surface::PixelAt(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    GdiFlush();
    return bits_[static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_) +
                 static_cast<size_t>(x)];
}

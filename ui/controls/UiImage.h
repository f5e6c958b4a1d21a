#pragma once
// One GDI+ image and everything it needs to stay valid: the memory block
// behind an image decoded from bytes, and the bitmap behind an icon image.

#include "app/MakeArgb.h"
#include "ui/GdiOwners.h"
#include "ui/controls/GdiplusOwners.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class UiImage {
public:
    UiImage() = default;
    UiImage(const UiImage&) = delete;
    UiImage& operator=(const UiImage&) = delete;
    UiImage(UiImage&&) = default;
    UiImage& operator=(UiImage&&) = default;
    ~UiImage();

    void Dispose();

    // Any format GDI+ decodes (PNG, JPEG, GIF, BMP, ICO); empty on failure.
    GpImage* LoadFromBytes(std::string_view bytes);
    // A path in program text (code page 936).
    GpImage* LoadFromFile(std::string_view path);
    bool CreateBitmap(int width, int height, int stride, Gdiplus::PixelFormat format, void* pixels);
    // Keeps the icon's soft edges when its colour bitmap has partial alpha.
    GpImage* LoadFromIcon(HICON icon);
    GpImage* LoadFromHBitmap(HBITMAP bitmap);

    GpImage* GetHandle() const { return handle_.Get(); }
    // Takes ownership of the given image.
    void SetHandle(GpImage* image);
    bool Empty() const { return !handle_; }

    unsigned GetWidth() const;
    unsigned GetHeight() const;
    ArgbColor GetPixel(int x, int y) const;
    // Frames along the time dimension; 0 for still images.
    unsigned GetFrameCount() const;
    // One entry per frame, in units of 10 ms; false without a delay property.
    bool GetFrameDelays(std::vector<std::int32_t>& delays) const;
    bool SelectFrame(unsigned index);
    void RotateFlip(Gdiplus::RotateFlipType type);

private:
    // Declared first so the image that reads them goes before them.
    GlobalMemory memory_;
    BitmapImageOwner iconBitmap_;
    ImageOwner handle_;
};

#include "ui/controls/UiImage.h"

#include "common/CodePage.h"
#include "common/Com.h"

#include <objidl.h>

#include <cstring>

namespace {

// FrameDimensionTime.
constexpr GUID kFrameDimensionTime = {
    0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kPropertyTagFrameDelay = 0x5100;
constexpr WORD kPropertyTagTypeLong = 4;
constexpr WORD kPropertyTagTypeSLong = 9;

// An icon's two bitmaps, released together.
struct IconBitmaps {
    ICONINFO info{};
    bool valid = false;
    explicit IconBitmaps(HICON icon) : valid(GetIconInfo(icon, &info) != FALSE) {}
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
    ~IconBitmaps() { Release(); }
    void Release() {
        if (info.hbmColor) {
            DeleteObject(std::exchange(info.hbmColor, nullptr));
        }
        if (info.hbmMask) {
            DeleteObject(std::exchange(info.hbmMask, nullptr));
        }
    }
};

bool HasPartialAlpha(GpBitmap* bitmap, UINT width, UINT height) {
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            Gdiplus::ARGB pixel = 0;
            gp::GdipBitmapGetPixel(bitmap, static_cast<INT>(x), static_cast<INT>(y), &pixel);
            const unsigned alpha = pixel >> 24;
            if (alpha > 0 && alpha < 255) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

UiImage::~UiImage() {
    Dispose();
}

void UiImage::Dispose() {
    handle_.Reset();
    iconBitmap_.Reset();
    memory_.Reset();
}

GpImage* UiImage::LoadFromBytes(std::string_view bytes) {
    Dispose();
    if (bytes.empty()) {
        return nullptr;
    }
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) {
        return nullptr;
    }
    void* target = GlobalLock(memory.Get());
    if (!target) {
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());

    // The stream does not own the block; the image reads it lazily, so the
    // block lives as long as the image.
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory.Get(), FALSE, stream.Receive()))) {
        return nullptr;
    }
    if (gp::GdipLoadImageFromStream(stream.Get(), handle_.Receive()) != Gdiplus::Ok) {
        handle_.Release();
        return nullptr;
    }
    memory_ = std::move(memory);
    return handle_.Get();
}

GpImage* UiImage::LoadFromFile(std::string_view path) {
    Dispose();
    const std::wstring widePath = ToWide(path);
    if (gp::GdipLoadImageFromFile(widePath.c_str(), handle_.Receive()) != Gdiplus::Ok) {
        handle_.Release();
    }
    return handle_.Get();
}

bool UiImage::CreateBitmap(int width, int height, int stride, Gdiplus::PixelFormat format,
                           void* pixels) {
    Dispose();
    GpBitmap* bitmap = nullptr;
    const bool ok =
        gp::GdipCreateBitmapFromScan0(width, height, stride, format, static_cast<BYTE*>(pixels),
                                      &bitmap) == Gdiplus::Ok;
    handle_.Reset(ok ? bitmap : nullptr);
    return ok;
}

GpImage* UiImage::LoadFromIcon(HICON icon) {
    Dispose();
    IconBitmaps bitmaps(icon);
    BITMAP colour{};
    if (!bitmaps.valid || !bitmaps.info.hbmColor ||
        GetObjectW(bitmaps.info.hbmColor, sizeof colour, &colour) == 0 || colour.bmBitsPixel < 32) {
        bitmaps.Release();
        GpBitmap* bitmap = nullptr;
        if (gp::GdipCreateBitmapFromHICON(icon, &bitmap) == Gdiplus::Ok) {
            handle_.Reset(bitmap);
        }
        return handle_.Get();
    }

    BitmapOwner copy(static_cast<HBITMAP>(CopyImage(bitmaps.info.hbmColor, IMAGE_BITMAP, 0, 0, 0)));
    bitmaps.Release();
    gp::GdipCreateBitmapFromHBITMAP(copy.Get(), nullptr, iconBitmap_.ReceiveBitmap());
    UINT width = 0;
    UINT height = 0;
    gp::GdipGetImageWidth(iconBitmap_.Get(), &width);
    gp::GdipGetImageHeight(iconBitmap_.Get(), &height);
    Gdiplus::PixelFormat format = 0;
    gp::GdipGetImagePixelFormat(iconBitmap_.Get(), &format);

    // GDI+ drops the alpha of a 32-bit HBITMAP; reading its pixels as ARGB
    // keeps the icon's soft edges.
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    BitmapImageOwner image;
    const bool locked = iconBitmap_ && gp::GdipBitmapLockBits(iconBitmap_.Bitmap(), &all,
                                                              Gdiplus::ImageLockModeRead, format,
                                                              &data) == Gdiplus::Ok;
    bool soft = false;
    if (locked) {
        gp::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height),
                                      data.Stride, PixelFormat32bppARGB,
                                      static_cast<BYTE*>(data.Scan0), image.ReceiveBitmap());
        soft = image && HasPartialAlpha(image.Bitmap(), width, height);
        gp::GdipBitmapUnlockBits(iconBitmap_.Bitmap(), &data);
    }
    if (!soft) {
        image.Reset();
        iconBitmap_.Reset();
        GpBitmap* bitmap = nullptr;
        if (gp::GdipCreateBitmapFromHICON(icon, &bitmap) == Gdiplus::Ok) {
            handle_.Reset(bitmap);
        }
        return handle_.Get();
    }
    handle_.Reset(image.Release());
    return handle_.Get();
}

GpImage* UiImage::LoadFromHBitmap(HBITMAP bitmap) {
    Dispose();
    GpBitmap* image = nullptr;
    if (gp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok) {
        handle_.Reset(image);
    }
    return handle_.Get();
}

void UiImage::SetHandle(GpImage* image) {
    if (image != handle_.Get()) {
        handle_.Reset(image);
    }
}

unsigned UiImage::GetWidth() const {
    UINT width = 0;
    if (handle_) {
        gp::GdipGetImageWidth(handle_.Get(), &width);
    }
    return width;
}

unsigned UiImage::GetHeight() const {
    UINT height = 0;
    if (handle_) {
        gp::GdipGetImageHeight(handle_.Get(), &height);
    }
    return height;
}

ArgbColor UiImage::GetPixel(int x, int y) const {
    Gdiplus::ARGB pixel = 0;
    if (handle_) {
        gp::GdipBitmapGetPixel(static_cast<GpBitmap*>(handle_.Get()), x, y, &pixel);
    }
    return pixel;
}

unsigned UiImage::GetFrameCount() const {
    UINT count = 0;
    if (!handle_ ||
        gp::GdipImageGetFrameCount(handle_.Get(), &kFrameDimensionTime, &count) != Gdiplus::Ok) {
        return 0;
    }
    return count;
}

bool UiImage::GetFrameDelays(std::vector<std::int32_t>& delays) const {
    UINT size = 0;
    if (!handle_ ||
        gp::GdipGetPropertyItemSize(handle_.Get(), kPropertyTagFrameDelay, &size) != Gdiplus::Ok ||
        size < sizeof(Gdiplus::PropertyItem)) {
        return false;
    }
    std::vector<std::uint64_t> buffer((size + 7) / 8, 0);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (gp::GdipGetPropertyItem(handle_.Get(), kPropertyTagFrameDelay, size, item) != Gdiplus::Ok) {
        return false;
    }
    const bool usable =
        (item->type == kPropertyTagTypeLong || item->type == kPropertyTagTypeSLong) &&
        item->length > 0 && item->value != nullptr;
    if (!usable) {
        return false;
    }
    delays.assign(item->length / 4, 0);
    std::memcpy(delays.data(), item->value, delays.size() * 4);
    return true;
}

bool UiImage::SelectFrame(unsigned index) {
    return handle_ && gp::GdipImageSelectActiveFrame(handle_.Get(), &kFrameDimensionTime, index) ==
                          Gdiplus::Ok;
}

void UiImage::RotateFlip(Gdiplus::RotateFlipType type) {
    if (handle_) {
        gp::GdipImageRotateFlip(handle_.Get(), type);
    }
}

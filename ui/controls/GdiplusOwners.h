#pragma once
// Owners for objects of the GDI+ flat API. Every object the framework
// creates is held by one of these, so it is deleted on every path.

#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <utility>

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpBrush;
using Gdiplus::GpFont;
using Gdiplus::GpFontFamily;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpImageAttributes;
using Gdiplus::GpLineGradient;
using Gdiplus::GpPath;
using Gdiplus::GpPen;
using Gdiplus::GpSolidFill;
using Gdiplus::GpStatus;
using Gdiplus::GpStringFormat;

template <typename T, GpStatus (*Delete)(T*)> class GpOwner {
public:
    GpOwner() = default;
    explicit GpOwner(T* object) : object_(object) {}
    GpOwner(const GpOwner&) = delete;
    GpOwner& operator=(const GpOwner&) = delete;
    GpOwner(GpOwner&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GpOwner& operator=(GpOwner&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    ~GpOwner() { Reset(); }

    T* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For creation functions that write the object pointer.
    T** Receive() {
        Reset();
        return &object_;
    }
    void Reset(T* object = nullptr) {
        if (object_) {
            Delete(object_);
        }
        object_ = object;
    }
    T* Release() { return std::exchange(object_, nullptr); }

private:
    T* object_ = nullptr;
};

namespace gpdelete {
inline GpStatus Graphics(GpGraphics* g) {
    return gp::GdipDeleteGraphics(g);
}
inline GpStatus Pen(GpPen* p) {
    return gp::GdipDeletePen(p);
}
inline GpStatus Brush(GpBrush* b) {
    return gp::GdipDeleteBrush(b);
}
inline GpStatus Path(GpPath* p) {
    return gp::GdipDeletePath(p);
}
inline GpStatus Format(GpStringFormat* f) {
    return gp::GdipDeleteStringFormat(f);
}
inline GpStatus Image(GpImage* i) {
    return gp::GdipDisposeImage(i);
}
inline GpStatus Attributes(GpImageAttributes* a) {
    return gp::GdipDisposeImageAttributes(a);
}
inline GpStatus Family(GpFontFamily* f) {
    return gp::GdipDeleteFontFamily(f);
}
inline GpStatus Font(GpFont* f) {
    return gp::GdipDeleteFont(f);
}
} // namespace gpdelete

using GraphicsOwner = GpOwner<GpGraphics, gpdelete::Graphics>;
using PenOwner = GpOwner<GpPen, gpdelete::Pen>;
using BrushOwner = GpOwner<GpBrush, gpdelete::Brush>;
using PathOwner = GpOwner<GpPath, gpdelete::Path>;
using StringFormatOwner = GpOwner<GpStringFormat, gpdelete::Format>;
using ImageOwner = GpOwner<GpImage, gpdelete::Image>;
using ImageAttributesOwner = GpOwner<GpImageAttributes, gpdelete::Attributes>;
using FontFamilyOwner = GpOwner<GpFontFamily, gpdelete::Family>;
using FontOwner = GpOwner<GpFont, gpdelete::Font>;

// A bitmap is an image to GDI+; creation functions write a GpBitmap*.
class BitmapImageOwner : public ImageOwner {
public:
    GpBitmap** ReceiveBitmap() { return reinterpret_cast<GpBitmap**>(Receive()); }
    GpBitmap* Bitmap() const { return static_cast<GpBitmap*>(Get()); }
};

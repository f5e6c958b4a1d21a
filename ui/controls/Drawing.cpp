#include "ui/controls/Drawing.h"

#include "common/CodePage.h"
#include "ui/controls/ColorRules.h"

#include <string>

namespace {

BrushOwner MakeSolidBrush(ArgbColor color) {
    GpSolidFill* brush = nullptr;
    gp::GdipCreateSolidFill(color, &brush);
    return BrushOwner(brush);
}

void DrawLine(GpGraphics* graphics, GpPen* pen, float x1, float y1, float x2, float y2) {
    gp::GdipDrawLine(graphics, pen, x1, y1, x2, y2);
}

void OutlineRect(GpGraphics* graphics, const RectF& rect, ArgbColor color, float width,
                 bool dashed = false) {
    PenOwner pen = MakePen(color, width);
    if (dashed) {
        gp::GdipSetPenDashStyle(pen.Get(), Gdiplus::DashStyleDash);
    }
    gp::GdipDrawRectangle(graphics, pen.Get(), rect.x, rect.y, rect.width - 1, rect.height - 1);
}

} // namespace

Gdiplus::RectF ToGp(const RectF& rect) {
    return Gdiplus::RectF(rect.x, rect.y, rect.width, rect.height);
}

void SetClipRectF(GpGraphics* graphics, const RectF& rect, Gdiplus::CombineMode mode) {
    gp::GdipSetClipRect(graphics, rect.x, rect.y, rect.width, rect.height, mode);
}

PenOwner MakePen(ArgbColor color, float width) {
    GpPen* pen = nullptr;
    gp::GdipCreatePen1(color, width, Gdiplus::UnitWorld, &pen);
    return PenOwner(pen);
}

void FillRectSolid(GpGraphics* graphics, const RectF& rect, ArgbColor color) {
    BrushOwner brush = MakeSolidBrush(color);
    gp::GdipFillRectangle(graphics, brush.Get(), rect.x, rect.y, rect.width - 1, rect.height - 1);
}

void FillGradient(GpGraphics* graphics, const RectF& rect, ArgbColor color1, ArgbColor color2,
                  GradientMode mode) {
    const Gdiplus::RectF area = ToGp(rect);
    GpLineGradient* brush = nullptr;
    gp::GdipCreateLineBrushFromRect(&area, color1, color2,
                                    static_cast<Gdiplus::LinearGradientMode>(mode),
                                    Gdiplus::WrapModeTileFlipXY, &brush);
    BrushOwner owner(brush);
    gp::GdipFillRectangle(graphics, owner.Get(), rect.x, rect.y, rect.width - 1, rect.height - 1);
}

PathOwner MakeRoundedPath(const RectF& rect, float s) {
    PathOwner path;
    gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Receive());
    const float right = rect.x + rect.width - s - 1;
    const float bottom = rect.y + rect.height - s - 1;
    gp::GdipAddPathArc(path.Get(), rect.x, rect.y, s, s, 180, 90);
    gp::GdipAddPathArc(path.Get(), right, rect.y, s, s, 270, 90);
    gp::GdipAddPathArc(path.Get(), right, bottom, s, s, 0, 90);
    gp::GdipAddPathArc(path.Get(), rect.x, bottom, s, s, 90, 90);
    gp::GdipClosePathFigure(path.Get());
    return path;
}

PathOwner MakeRoundedClipPath(const RectF& rect, float s) {
    PathOwner path;
    gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Receive());
    const float right = rect.x + rect.width - s;
    gp::GdipAddPathArc(path.Get(), right, rect.y, s, s, 270, 90);
    gp::GdipAddPathArc(path.Get(), right, rect.y + rect.height - s - 1, s, s, 0, 90);
    gp::GdipAddPathArc(path.Get(), rect.x, rect.y + rect.height - s - 0.5f, s, s, 90, 90);
    gp::GdipAddPathArc(path.Get(), rect.x, rect.y - 0.5f, s, s, 180, 90);
    gp::GdipClosePathFigure(path.Get());
    return path;
}

void PaintRoundedRect(GpGraphics* graphics, const RectF& rect, float arcSize,
                      std::optional<ArgbColor> fill, std::optional<ArgbColor> outline,
                      float outlineWidth) {
    PathOwner path = MakeRoundedPath(rect, arcSize);
    if (fill) {
        BrushOwner brush = MakeSolidBrush(*fill);
        gp::GdipFillPath(graphics, brush.Get(), path.Get());
    }
    if (outline) {
        PenOwner pen = MakePen(*outline, outlineWidth);
        gp::GdipDrawPath(graphics, pen.Get(), path.Get());
    }
}

void DrawBorder(GpGraphics* graphics, const RectF& rect, ArgbColor style,
                std::optional<ArgbColor> color, float width) {
    const float x = rect.x;
    const float y = rect.y;
    const float w = rect.width;
    const float h = rect.height;
    constexpr ColorRef black = 0x000000;
    constexpr ColorRef white = 0xFFFFFF;
    switch (style) {
    case kBorderSunken: {
        PenOwner dark = MakePen(MakeArgb(black, 160), width);
        DrawLine(graphics, dark.Get(), x, y, x + w - 1, y);
        DrawLine(graphics, dark.Get(), x, y, x, y + h - 1);
        PenOwner light = MakePen(MakeArgb(white, 245), width / 2);
        DrawLine(graphics, light.Get(), x, y + h - 1, x + w - 1, y + h - 1);
        DrawLine(graphics, light.Get(), x + w - 1, y, x + w - 1, y + h - 1);
        break;
    }
    case kBorderRaised: {
        PenOwner light = MakePen(MakeArgb(white, 245), width / 2);
        DrawLine(graphics, light.Get(), x, y, x + w - 2, y);
        DrawLine(graphics, light.Get(), x, y, x, y + h - 2);
        PenOwner dark = MakePen(MakeArgb(black, 168), width);
        DrawLine(graphics, dark.Get(), x, y + h - 1, x + w - 1, y + h - 1);
        DrawLine(graphics, dark.Get(), x + w - 1, y, x + w - 1, y + h - 2);
        break;
    }
    case kBorderSolid:
        OutlineRect(graphics, rect, color.value_or(MakeArgb(0x646464)), width);
        break;
    case kBorderDashed:
        OutlineRect(graphics, rect, color.value_or(MakeArgb(black, 90)), width, true);
        break;
    default:
        OutlineRect(graphics, rect, style, width);
        break;
    }
}

void DrawImageAt(GpGraphics* graphics, GpImage* image, float x, float y, std::optional<float> width,
                 std::optional<float> height, bool centred) {
    if (!image) {
        return;
    }
    UINT iw = 0;
    UINT ih = 0;
    gp::GdipGetImageWidth(image, &iw);
    gp::GdipGetImageHeight(image, &ih);
    const float imageWidth = static_cast<float>(iw);
    const float imageHeight = static_cast<float>(ih);
    if (centred) {
        gp::GdipDrawImageRect(graphics, image, x + (width.value_or(0) - imageWidth) / 2,
                              y + (height.value_or(0) - imageHeight) / 2, imageWidth, imageHeight);
        return;
    }
    gp::GdipDrawImageRect(graphics, image, x, y, width.value_or(imageWidth),
                          height.value_or(imageHeight));
}

bool DrawImageStretched(GpGraphics* graphics, GpImage* image, const RectF& destination,
                        std::optional<RectF> source) {
    if (!image) {
        return false;
    }
    RectF from = source.value_or(RectF{});
    if (!source) {
        UINT iw = 0;
        UINT ih = 0;
        gp::GdipGetImageWidth(image, &iw);
        gp::GdipGetImageHeight(image, &ih);
        from.width = static_cast<float>(iw);
        from.height = static_cast<float>(ih);
    }
    return gp::GdipDrawImageRectRect(graphics, image, destination.x, destination.y,
                                     destination.width, destination.height, from.x, from.y,
                                     from.width, from.height, Gdiplus::UnitPixel, nullptr, nullptr,
                                     nullptr) == Gdiplus::Ok;
}

bool MeasureTextHeight(GpGraphics* graphics, std::wstring_view text, GpFont* font,
                       const RectF& layout, GpStringFormat* format, RectF& box) {
    const std::wstring owned(text);
    const Gdiplus::RectF area = ToGp(layout);
    Gdiplus::RectF bounds;
    const bool ok =
        gp::GdipMeasureString(graphics, owned.c_str(), static_cast<INT>(owned.size()), font, &area,
                              format, &bounds, nullptr, nullptr) == Gdiplus::Ok;
    if (ok) {
        box = RectF{bounds.X, bounds.Y, bounds.Width, bounds.Height};
    }
    return ok;
}

void DrawTextStyled(const RectF& rect, GpGraphics* graphics, std::string_view text, GpFont* font,
                    ArgbColor color, const TextStyle& style) {
    RectF area = rect;
    const std::wstring wide = ToWide(text);

    GpStringFormat* generic = nullptr;
    gp::GdipStringFormatGetGenericTypographic(&generic);
    StringFormatOwner format;
    gp::GdipCloneStringFormat(generic, format.Receive());
    const int alignment = style.alignment >= 3 ? style.alignment - 3 : style.alignment;
    gp::GdipSetStringFormatAlign(format.Get(), static_cast<Gdiplus::StringAlignment>(alignment));
    gp::GdipSetStringFormatTrimming(format.Get(), style.trimming);
    gp::GdipSetStringFormatFlags(format.Get(), style.formatFlags);
    gp::GdipSetStringFormatHotkeyPrefix(format.Get(), style.hotkeyPrefix);

    if (style.alignment >= 3) {
        RectF box;
        if (MeasureTextHeight(graphics, wide, font, RectF{}, format.Get(), box)) {
            const int boxHeight = static_cast<int>(box.height);
            area.y += (area.height - static_cast<float>(boxHeight)) / 2;
            area.height = static_cast<float>(boxHeight);
        }
    }

    if (style.effect != TextEffect::None) {
        const ArgbColor effectColor =
            style.effectColor && *style.effectColor != static_cast<ArgbColor>(-1)
                ? *style.effectColor
                : (IsDarkColor(color) ? MakeArgb(0xFFFFFF, 90) : MakeArgb(0x000000, 70));
        if (style.effect == TextEffect::Glow) {
            DrawGlowText(area, graphics, wide, format.Get(), font, effectColor);
        } else {
            const float shift = style.effect == TextEffect::ShadowUpLeft ? -1.0f : 1.0f;
            const Gdiplus::RectF shadow(area.x + shift, area.y + shift, area.width, area.height);
            BrushOwner brush = MakeSolidBrush(effectColor);
            gp::GdipDrawString(graphics, wide.c_str(), static_cast<INT>(wide.size()), font, &shadow,
                               format.Get(), brush.Get());
        }
    }
    const Gdiplus::RectF layout = ToGp(area);
    BrushOwner brush = MakeSolidBrush(color);
    gp::GdipDrawString(graphics, wide.c_str(), static_cast<INT>(wide.size()), font, &layout,
                       format.Get(), brush.Get());
}

void DrawGlowText(const RectF& rect, GpGraphics* graphics, std::wstring_view text,
                  GpStringFormat* format, GpFont* font, ArgbColor color) {
    const float bigWidth = rect.width + 2;
    const float bigHeight = rect.height + 2;
    const int pixelsWide = static_cast<int>(bigWidth);
    const int pixelsHigh = static_cast<int>(bigHeight);
    if (pixelsWide <= 0 || pixelsHigh <= 0) {
        return;
    }
    const std::wstring owned(text);

    BitmapImageOwner big;
    gp::GdipCreateBitmapFromScan0(pixelsWide, pixelsHigh, 0, PixelFormat32bppARGB, nullptr,
                                  big.ReceiveBitmap());
    {
        GraphicsOwner context;
        gp::GdipGetImageGraphicsContext(big.Get(), context.Receive());
        gp::GdipSetSmoothingMode(context.Get(), Gdiplus::SmoothingModeAntiAlias);
        gp::GdipSetTextRenderingHint(context.Get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
        BrushOwner brush = MakeSolidBrush(color);
        for (int i = 1; i <= 2; ++i) {
            for (int j = 1; j <= 2; ++j) {
                const Gdiplus::RectF layout(static_cast<float>(i), static_cast<float>(j), bigWidth,
                                            bigHeight);
                gp::GdipDrawString(context.Get(), owned.c_str(), -1, font, &layout, format,
                                   brush.Get());
            }
        }
    }

    const int smallWidth = static_cast<int>(bigWidth / 3);
    const int smallHeight = static_cast<int>(bigHeight / 3);
    if (smallWidth <= 0 || smallHeight <= 0) {
        return;
    }
    BitmapImageOwner small;
    gp::GdipCreateBitmapFromScan0(smallWidth, smallHeight, 0, PixelFormat32bppARGB, nullptr,
                                  small.ReceiveBitmap());
    {
        GraphicsOwner context;
        gp::GdipGetImageGraphicsContext(small.Get(), context.Receive());
        gp::GdipSetSmoothingMode(context.Get(), Gdiplus::SmoothingModeAntiAlias);
        gp::GdipSetCompositingQuality(context.Get(), Gdiplus::CompositingQualityGammaCorrected);
        gp::GdipSetInterpolationMode(context.Get(), Gdiplus::InterpolationModeHighQualityBilinear);
        gp::GdipDrawImageRectRect(context.Get(), big.Get(), 0, 0, static_cast<float>(smallWidth),
                                  static_cast<float>(smallHeight), 0, 0, bigWidth, bigHeight,
                                  Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    }
    gp::GdipDrawImageRectRect(graphics, small.Get(), rect.x - 2, rect.y - 2, rect.width + 2,
                              rect.height + 3, 0, 0, static_cast<float>(smallWidth),
                              static_cast<float>(smallHeight), Gdiplus::UnitPixel, nullptr, nullptr,
                              nullptr);
}

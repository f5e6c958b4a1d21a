// Painting and composition of a UiWindow: the full rebuild, the frame,
// shadow and title, partial repaints and presentation.

#include "ui/CaptionButton.h"
#include "ui/Framework.h"
#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"
#include "ui/controls/UiControl.h"

#include <algorithm>
#include <array>

namespace {

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kWhite = 0xFFFFFF;
// The layered background's rounded corners, and the clip of its image.
constexpr float kContentCorner = 7;
constexpr int kImageCorner = 9;

float CornerSize(unsigned imageSide) {
    return imageSide > 100 ? 100.0f : static_cast<float>(imageSide / 2);
}

void OutlinePath(GpGraphics* graphics, const PathOwner& path, ArgbColor color) {
    PenOwner pen = MakePen(color);
    gp::GdipDrawPath(graphics, pen.Get(), path.Get());
}

void ClearTransparent(GpGraphics* graphics) {
    gp::GdipGraphicsClear(graphics, MakeArgb(kWhite, 0));
}

} // namespace

void DrawWindowShadow(GpGraphics* graphics, const RectF& content, int frameStyle, ColorRef color) {
    constexpr std::array<std::uint8_t, 4> alphas = {75, 55, 25, 15};
    constexpr std::array<float, 4> squareCorners = {4, 7, 11, 14};
    constexpr std::array<float, 4> roundCorners = {11, 14, 17, 20};
    const auto& corners = frameStyle == kFrameSquare ? squareCorners : roundCorners;
    RectF ring = content;
    for (size_t i = 0; i < alphas.size(); ++i) {
        InflateRectF(ring, -1, -1, 2, 2);
        OutlinePath(graphics, MakeRoundedPath(ring, corners[i]), MakeArgb(color, alphas[i]));
    }
}

bool IsBackgroundDark(int windowIndex, const RectF& rect) {
    UiWindow* window = FindUiWindow(windowIndex);
    if (!window) {
        return false;
    }
    const int y = static_cast<int>(rect.y + rect.height / 2);
    for (float share : {0.2f, 0.5f, 0.8f}) {
        const int x = static_cast<int>(rect.x + share * rect.width);
        const COLORREF sample = GetPixel(window->backgroundBuffer.Dc(), x, y);
        if (!IsDarkColor(MakeArgb(sample))) {
            return false;
        }
    }
    return true;
}

bool UiWindow::Render(std::optional<std::string> imageBytes, std::optional<ColorRef> color) {
    WindowRecord* record = Record();
    if (!windowDC.Get() || !record) {
        return false;
    }
    const HWND hwnd = record->hwnd;
    noPaint = true;
    if (imageBytes) {
        backgroundImage.LoadFromBytes(*imageBytes);
    }
    if (!color || *color == static_cast<ColorRef>(-1)) {
        if (!backgroundImage.Empty()) {
            const int x = static_cast<int>(static_cast<float>(backgroundImage.GetWidth()) * 0.85f);
            const int y = static_cast<int>(static_cast<float>(backgroundImage.GetHeight()) * 0.85f);
            themeColor = ArgbToColorRef(backgroundImage.GetPixel(x, y));
        }
    } else {
        themeColor = *color;
    }
    const int margin = Margin();
    DrawBackground(margin);
    if (handlers.onBackgroundPaint) {
        handlers.onBackgroundPaint(hwnd, backgroundBuffer.Graphics(), backgroundBuffer.Dc(),
                                   size.cx, size.cy);
    }
    BitBlt(frameBuffer.Dc(), 0, 0, size.cx, size.cy, backgroundBuffer.Dc(), 0, 0, SRCCOPY);
    if (frameStyle != kFrameSkin) {
        if (captionFlags & kCaptionIcon) {
            DrawCaptionIcon(hwnd, margin);
        }
        char title[257] = {};
        GetWindowTextA(hwnd, title, 256);
        DrawTitle(title, false, false);
    }
    LayoutCaptionButtons(margin);
    if (handlers.onFramePaint) {
        handlers.onFramePaint(hwnd, backgroundBuffer.Graphics(), backgroundBuffer.Dc(), size.cx,
                              size.cy);
    }
    RedrawControls({}, false);
    if (frameStyle != kFrameSkin) {
        if (!IsLayered()) {
            SetWindowRgn(hwnd,
                         CreateRoundRectRgn(margin, margin, size.cx - margin + 1,
                                            size.cy - margin + 1, frameStyle, frameStyle),
                         TRUE);
        }
        DrawWindowFrame(size.cx, size.cy, margin);
        if (IsLayered() && margin > 0) {
            DrawWindowShadow(frameBuffer.Graphics(), ContentRect(), frameStyle, kBlack);
        }
    }
    PresentFrame(PixelBox{0, 0, size.cx, size.cy});
    noPaint = false;
    return true;
}

void UiWindow::DrawBackground(int margin) {
    GpGraphics* graphics = backgroundBuffer.Graphics();
    const WindowRecord* record = Record();
    GpImage* image = backgroundImage.GetHandle();
    const RectF content = ContentRect();
    const float m = static_cast<float>(margin);
    if (frameStyle == kFrameSkin) {
        ClearTransparent(graphics);
        if (image) {
            if (IsRectEmpty(&nineGridRect)) {
                DrawImageAt(graphics, image, 0, 0);
            } else {
                NineGridDraw(graphics, image);
            }
        }
        return;
    }
    if (!IsLayered()) {
        gp::GdipGraphicsClear(graphics, MakeArgb(themeColor, 255));
        if (image && !record->stretchImage) {
            DrawImageAt(graphics, image, m, m);
            if (featherEdges) {
                FeatherImage(graphics, m, m);
            }
        } else if (image) {
            DrawImageStretched(graphics, image, content);
        }
        return;
    }
    const int alpha = std::clamp(record->alpha, 0, 255);
    ClearTransparent(graphics);
    const ArgbColor fill = MakeArgb(themeColor, static_cast<std::uint8_t>(alpha));
    if (frameStyle == kFrameSquare) {
        FillRectSolid(graphics, content, fill);
    } else {
        PaintRoundedRect(graphics, content, kContentCorner, fill);
    }
    if (!image) {
        return;
    }
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i) {
        matrix.m[i][i] = 1.0f;
    }
    matrix.m[3][3] = static_cast<float>(alpha) / 255.0f;
    ImageAttributesOwner attributes;
    gp::GdipCreateImageAttributes(attributes.Receive());
    gp::GdipSetImageAttributesColorMatrix(attributes.Get(), Gdiplus::ColorAdjustTypeBitmap, TRUE,
                                          &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault);
    if (frameStyle == kFrameSquare && record->stretchImage) {
        gp::GdipDrawImageRectRectI(graphics, image, static_cast<INT>(content.x),
                                   static_cast<INT>(content.y), static_cast<INT>(content.width),
                                   static_cast<INT>(content.height), 0, 0,
                                   static_cast<INT>(backgroundImage.GetWidth()),
                                   static_cast<INT>(backgroundImage.GetHeight()),
                                   Gdiplus::UnitPixel, attributes.Get(), nullptr, nullptr);
    } else {
        DrawBackgroundImage(graphics, content, frameStyle == kFrameSquare ? 0 : kImageCorner,
                            attributes.Get());
    }
}

void UiWindow::FeatherImage(GpGraphics* graphics, float left, float top) {
    const float iw = static_cast<float>(backgroundImage.GetWidth());
    const float ih = static_cast<float>(backgroundImage.GetHeight());
    const float cw = CornerSize(backgroundImage.GetWidth());
    const float ch = CornerSize(backgroundImage.GetHeight());
    const ArgbColor clear = MakeArgb(themeColor, 0);
    const ArgbColor solid = MakeArgb(themeColor, 255);
    FillGradient(graphics, MakeRectF(left, top + ih - ch + 1, iw + left, ch), clear, solid,
                 GradientMode::Vertical);
    FillGradient(graphics, MakeRectF(left + iw - cw + 1, top, cw, ih + top), clear, solid,
                 GradientMode::Horizontal);
}

void UiWindow::DrawBackgroundImage(GpGraphics* graphics, const RectF& content, int cornerSize,
                                   GpImageAttributes* attributes) {
    GpImage* image = backgroundImage.GetHandle();
    if (cornerSize == 0) {
        SetClipRectF(graphics, content);
    } else {
        PathOwner clip = MakeRoundedClipPath(content, static_cast<float>(cornerSize));
        gp::GdipSetClipPath(graphics, clip.Get(), Gdiplus::CombineModeReplace);
    }
    const float iw = static_cast<float>(backgroundImage.GetWidth());
    const float ih = static_cast<float>(backgroundImage.GetHeight());
    if (Record()->stretchImage) {
        gp::GdipDrawImageRectRect(graphics, image, content.x, content.y, content.width,
                                  content.height, 0, 0, iw, ih, Gdiplus::UnitPixel, attributes,
                                  nullptr, nullptr);
    } else if (featherEdges) {
        BitmapImageOwner composed;
        gp::GdipCreateBitmapFromScan0(static_cast<INT>(content.width),
                                      static_cast<INT>(content.height), 0, PixelFormat32bppPARGB,
                                      nullptr, composed.ReceiveBitmap());
        {
            GraphicsOwner context;
            gp::GdipGetImageGraphicsContext(composed.Get(), context.Receive());
            gp::GdipGraphicsClear(context.Get(), MakeArgb(themeColor, 255));
            gp::GdipDrawImageRect(context.Get(), image, 0, 0, iw, ih);
            FeatherImage(context.Get(), 0, 0);
        }
        gp::GdipDrawImageRectRect(graphics, composed.Get(), content.x, content.y, content.width,
                                  content.height, 0, 0, content.width, content.height,
                                  Gdiplus::UnitPixel, attributes, nullptr, nullptr);
    } else {
        gp::GdipDrawImageRectRect(graphics, image, content.x, content.y, iw, ih, 0, 0, iw, ih,
                                  Gdiplus::UnitPixel, attributes, nullptr, nullptr);
    }
    gp::GdipResetClip(graphics);
}

void UiWindow::NineGridDraw(GpGraphics* graphics, GpImage* image) {
    const float iw = static_cast<float>(backgroundImage.GetWidth());
    const float ih = static_cast<float>(backgroundImage.GetHeight());
    const float w = static_cast<float>(size.cx);
    const float h = static_cast<float>(size.cy);
    // Source and destination columns and rows: before, inside and after the
    // centre rectangle.
    const float sx[4] = {0, static_cast<float>(nineGridRect.left),
                         static_cast<float>(nineGridRect.right), iw};
    const float sy[4] = {0, static_cast<float>(nineGridRect.top),
                         static_cast<float>(nineGridRect.bottom), ih};
    const float dx[4] = {0, sx[1], w - (iw - sx[2]), w};
    const float dy[4] = {0, sy[1], h - (ih - sy[2]), h};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            gp::GdipDrawImageRectRect(
                graphics, image, dx[column], dy[row], dx[column + 1] - dx[column],
                dy[row + 1] - dy[row], sx[column], sy[row], sx[column + 1] - sx[column],
                sy[row + 1] - sy[row], Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        }
    }
}

void UiWindow::DrawCaptionIcon(HWND hwnd, int margin) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) {
        icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    }
    if (!icon) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON));
    }
    if (!icon) {
        return;
    }
    UiImage image;
    image.LoadFromIcon(icon);
    const float at = static_cast<float>(margin + 6);
    DrawImageAt(backgroundBuffer.Graphics(), image.GetHandle(), at, at, 16.0f, 16.0f);
    BitBlt(frameBuffer.Dc(), margin + 6, margin + 6, 16, 16, backgroundBuffer.Dc(), margin + 6,
           margin + 6, SRCCOPY);
}

void UiWindow::DrawTitle(const std::string& text, bool restoreBackground, bool present) {
    if (frameStyle == kFrameSkin || captionFlags == 0 || !(captionFlags & kCaptionTitle)) {
        return;
    }
    const int margin = Margin();
    const float left = static_cast<float>(margin + ((captionFlags & kCaptionIcon) ? 28 : 8));
    const float reserve =
        static_cast<float>(margin + 5 + 28 * static_cast<int>(captionButtons.size()) +
                           ((captionFlags & kCaptionClose) ? 11 : 0));
    const float width = static_cast<float>(size.cx) - reserve - left;
    if (width <= 0) {
        return;
    }
    const RectF title = MakeRectF(left, static_cast<float>(margin + 6), width, 17);
    if (restoreBackground) {
        const PixelBox box = ToPixelBox(title);
        BitBlt(frameBuffer.Dc(), box.left, box.top, box.width, box.height, backgroundBuffer.Dc(),
               box.left, box.top, SRCCOPY);
    }
    const ColorRef textColor = IsBackgroundDark(windowIndex, title) ? kWhite : kBlack;
    DrawTextStyled(title, frameBuffer.Graphics(), text, Framework().defaultFont.Get(),
                   MakeArgb(textColor, 225));
    if (present) {
        RepaintRect(title, true, false);
    }
}

void UiWindow::DrawWindowFrame(int width, int height, int margin) {
    GpGraphics* graphics = frameBuffer.Graphics();
    const float m = static_cast<float>(margin);
    RectF r =
        MakeRectF(m, m, static_cast<float>(width) - 2 * m, static_cast<float>(height) - 2 * m);
    if (frameStyle == kFrameSquare) {
        PenOwner outer = MakePen(MakeArgb(kBlack, 110));
        gp::GdipDrawRectangle(graphics, outer.Get(), r.x, r.y, r.width - 1, r.height - 1);
        InflateRectF(r, 1, 1, -2, -2);
        PenOwner inner = MakePen(MakeArgb(kWhite, 70));
        gp::GdipDrawRectangle(graphics, inner.Get(), r.x, r.y, r.width - 1, r.height - 1);
        return;
    }
    OutlinePath(graphics, MakeRoundedPath(r, 6), MakeArgb(kBlack, 120));
    InflateRectF(r, 1, 1, -2, -2);
    OutlinePath(graphics, MakeRoundedPath(r, 4), MakeArgb(kWhite, 70));
}

void UiWindow::RedrawControls(std::optional<int> controlId, bool standalone) {
    WindowRecord* record = Record();
    if (!record) {
        return;
    }
    if (controlId) {
        const int position = FindControlPosition(windowIndex, *controlId);
        if (position > 0 && record->controls[static_cast<size_t>(position - 1)].visible) {
            SendControlMessage(windowIndex, position, record->hwnd, WM_PAINT, 0, kPaintRequest,
                               standalone);
        }
        return;
    }
    const RectF whole = MakeRectF(0, 0, static_cast<float>(size.cx), static_cast<float>(size.cy));
    for (int position = 1; position <= static_cast<int>(record->controls.size()); ++position) {
        const ControlRecord& control = record->controls[static_cast<size_t>(position - 1)];
        if (control.visible && RectsIntersect(control.rect, whole)) {
            SendControlMessage(windowIndex, position, record->hwnd, WM_PAINT, 0, kPaintRequest,
                               standalone);
        }
    }
}

void UiWindow::RepaintRect(const RectF& rect, bool present, bool restoreBackground) {
    WindowRecord* record = Record();
    if (noPaint || !record) {
        return;
    }
    const PixelBox box = ToPixelBox(rect);
    if (restoreBackground) {
        BitBlt(frameBuffer.Dc(), box.left, box.top, box.width, box.height, backgroundBuffer.Dc(),
               box.left, box.top, SRCCOPY);
    }
    for (int position = 1; position <= static_cast<int>(record->controls.size()); ++position) {
        const ControlRecord& control = record->controls[static_cast<size_t>(position - 1)];
        if (control.visible && RectsIntersect(control.rect, rect)) {
            SendControlMessage(windowIndex, position, record->hwnd, WM_PAINT, 0, kPaintRequest,
                               false);
        }
    }
    RedrawFrameOver(rect, false);
    if (present) {
        PresentFrame(box);
    }
}

void UiWindow::PresentFrame(const PixelBox& box) {
    WindowRecord* record = Record();
    if (!record) {
        return;
    }
    if (!IsLayered()) {
        BitBlt(windowDC.Get(), box.left, box.top, box.width, box.height, frameBuffer.Dc(), box.left,
               box.top, SRCCOPY);
        return;
    }
    BitBlt(presentBuffer.Dc(), box.left, box.top, box.width, box.height, frameBuffer.Dc(), box.left,
           box.top, SRCCOPY);
    PresentLayered(record->hwnd, presentBuffer.Dc(),
                   record->windowRect.right - record->windowRect.left,
                   record->windowRect.bottom - record->windowRect.top);
}

void UiWindow::RedrawFrameOver(const RectF& rect, bool drawFrame) {
    if (frameStyle == kFrameSkin) {
        return;
    }
    const int margin = Margin();
    const float inner = static_cast<float>(margin + 3);
    const float right = static_cast<float>(size.cx - 3 - margin);
    const float bottom = static_cast<float>(size.cy - 3 - margin);
    const bool inside = rect.x > inner - kFloatTolerance && rect.y > inner - kFloatTolerance &&
                        rect.x + rect.width < right + kFloatTolerance &&
                        rect.y + rect.height < bottom + kFloatTolerance;
    if (inside) {
        return;
    }
    GpGraphics* graphics = frameBuffer.Graphics();
    if (drawFrame) {
        SetClipRectF(graphics, rect);
        DrawWindowFrame(size.cx, size.cy, margin);
        gp::GdipResetClip(graphics);
    }
    if (IsLayered() && margin == 5) {
        SetClipRectF(graphics, ContentRect(), Gdiplus::CombineModeExclude);
        ClearTransparent(graphics);
        gp::GdipResetClip(graphics);
        if (drawFrame) {
            DrawWindowShadow(graphics, ContentRect(), frameStyle, kBlack);
        }
    }
}

void UiWindow::PresentRect(const RectF& rect, BYTE constantAlpha) {
    WindowRecord* record = Record();
    if (!record) {
        return;
    }
    const PixelBox box = ToPixelBox(rect);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, 0};
    if (!IsLayered()) {
        AlphaBlend(windowDC.Get(), box.left, box.top, box.width, box.height, frameBuffer.Dc(),
                   box.left, box.top, box.width, box.height, blend);
        return;
    }
    AlphaBlend(presentBuffer.Dc(), box.left, box.top, box.width, box.height, frameBuffer.Dc(),
               box.left, box.top, box.width, box.height, blend);
    PresentLayered(record->hwnd, presentBuffer.Dc(),
                   record->windowRect.right - record->windowRect.left,
                   record->windowRect.bottom - record->windowRect.top);
}

void UiWindow::PresentLayered(HWND hwnd, HDC source, int width, int height) {
    SIZE surface{width, height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd, nullptr, nullptr, &surface, source, &origin, 0, &blend, ULW_ALPHA);
}

void UiWindow::PaintFromFrame(HWND hwnd) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, frameBuffer.Dc(), paint.rcPaint.left,
           paint.rcPaint.top, SRCCOPY);
    EndPaint(hwnd, &paint);
}

void UiWindow::OnSize(HWND hwnd, int width, int height) {
    if (width == 0 && height == 0) {
        return;
    }
    size = SIZE{width, height};
    backgroundBuffer.Make(windowDC.Get(), width, height);
    if (IsLayered()) {
        presentBuffer.Make(windowDC.Get(), width, height);
    }
    if (handlers.onResize) {
        handlers.onResize(hwnd, width, height);
    }
    Render({}, themeColor);
}

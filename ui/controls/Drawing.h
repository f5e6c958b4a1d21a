#pragma once
// Drawing routines shared by the controls and the window's own painting.
// They draw on whatever GDI+ context they are given and keep no state;
// every object they create is gone when they return.

#include "app/MakeArgb.h"
#include "ui/controls/Geometry.h"
#include "ui/controls/GdiplusOwners.h"

#include <optional>
#include <string_view>

Gdiplus::RectF ToGp(const RectF& rect);

void SetClipRectF(GpGraphics* graphics, const RectF& rect,
                  Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
PenOwner MakePen(ArgbColor color, float width = 1.0f);
// Fills x, y, width - 1, height - 1.
void FillRectSolid(GpGraphics* graphics, const RectF& rect, ArgbColor color);

enum class GradientMode { Horizontal = 0, Vertical = 1 };
// A linear gradient from color1 to color2 over x, y, width - 1, height - 1.
void FillGradient(GpGraphics* graphics, const RectF& rect, ArgbColor color1, ArgbColor color2,
                  GradientMode mode = GradientMode::Vertical);

// A rounded rectangle whose corners are arcs of diameter arcSize.
PathOwner MakeRoundedPath(const RectF& rect, float arcSize);
// The same shape nudged to cover the pixels a clip needs.
PathOwner MakeRoundedClipPath(const RectF& rect, float arcSize);
void PaintRoundedRect(GpGraphics* graphics, const RectF& rect, float arcSize,
                      std::optional<ArgbColor> fill, std::optional<ArgbColor> outline = {},
                      float outlineWidth = 1.0f);

// Style 1 sunken, 2 raised, 3 solid grey, 4 dashed; any other value is the
// outline colour itself.
enum BorderStyle : ArgbColor {
    kBorderSunken = 1,
    kBorderRaised = 2,
    kBorderSolid = 3,
    kBorderDashed = 4
};
void DrawBorder(GpGraphics* graphics, const RectF& rect, ArgbColor style,
                std::optional<ArgbColor> color = {}, float width = 1.0f);

// Centred: natural size, centred in width x height. Otherwise drawn at x, y
// at the given size, each defaulting to the image's own.
void DrawImageAt(GpGraphics* graphics, GpImage* image, float x, float y,
                 std::optional<float> width = {}, std::optional<float> height = {},
                 bool centred = false);
// Without a source rectangle the whole image is drawn.
bool DrawImageStretched(GpGraphics* graphics, GpImage* image, const RectF& destination,
                        std::optional<RectF> source = {});

bool MeasureTextHeight(GpGraphics* graphics, std::wstring_view text, GpFont* font,
                       const RectF& layout, GpStringFormat* format, RectF& box);

// Alignment codes 0 near, 1 centre, 2 far; 3 to 5 the same, centred
// vertically.
enum class TextEffect { None = 0, ShadowUpLeft = 1, ShadowDownRight = 2, Glow = 3 };
struct TextStyle {
    int alignment = 0;
    Gdiplus::StringTrimming trimming = Gdiplus::StringTrimmingNone;
    Gdiplus::HotkeyPrefix hotkeyPrefix = Gdiplus::HotkeyPrefixNone;
    int formatFlags = 0;
    TextEffect effect = TextEffect::None;
    // Not given: alpha 90 white on dark text, alpha 70 black on light text.
    std::optional<ArgbColor> effectColor;
};
// The text is program text (code page 936).
void DrawTextStyled(const RectF& rect, GpGraphics* graphics, std::string_view text, GpFont* font,
                    ArgbColor color, const TextStyle& style = {});
// A soft halo of the text covering (x - 2, y - 2, w + 2, h + 3).
void DrawGlowText(const RectF& rect, GpGraphics* graphics, std::wstring_view text,
                  GpStringFormat* format, GpFont* font, ArgbColor color);

#pragma once
// Rectangle arithmetic of the framework, in pixels of a window's client area.
// Free of any platform header so it is tested on the host as well.

// A rectangle as GDI+ takes it: position and size in floats.
struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    bool operator==(const RectF&) const = default;
};

// Floats that differ by less than this count as equal.
inline constexpr double kFloatTolerance = 0.0000001;

constexpr RectF MakeRectF(float x, float y, float width, float height) {
    return RectF{x, y, width, height};
}

// A rectangle given in whole pixels.
constexpr RectF PixelRectF(int x, int y, int width, int height) {
    return RectF{static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                 static_cast<float>(height)};
}

// Adds each delta to the matching field.
void InflateRectF(RectF& rect, float dx, float dy, float dwidth, float dheight);

// Rectangles that only share an edge do not intersect.
bool RectsIntersect(const RectF& a, const RectF& b);

// Left and top edges are inside, right and bottom edges outside.
bool PointInRect(const RectF& rect, float px, float py);

// The integer pixel box of a rectangle, each field truncated toward zero.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
PixelBox ToPixelBox(const RectF& rect);

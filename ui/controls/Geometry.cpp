#include "ui/controls/Geometry.h"

namespace {

bool Less(float a, float b) {
    return a < b - kFloatTolerance;
}

bool AtLeast(float a, float b) {
    return a > b - kFloatTolerance;
}

} // namespace

void InflateRectF(RectF& rect, float dx, float dy, float dwidth, float dheight) {
    rect.x += dx;
    rect.y += dy;
    rect.width += dwidth;
    rect.height += dheight;
}

bool RectsIntersect(const RectF& a, const RectF& b) {
    return Less(a.x, double{b.x} + b.width) && Less(b.x, double{a.x} + a.width) &&
           Less(b.y, double{a.y} + a.height) && Less(a.y, double{b.y} + b.height);
}

bool PointInRect(const RectF& rect, float px, float py) {
    return AtLeast(px, rect.x) && AtLeast(py, rect.y) && Less(px, double{rect.x} + rect.width) &&
           Less(py, double{rect.y} + rect.height);
}

PixelBox ToPixelBox(const RectF& rect) {
    return PixelBox{static_cast<int>(rect.x), static_cast<int>(rect.y),
                    static_cast<int>(rect.width), static_cast<int>(rect.height)};
}

#include "ui/controls/ColorRules.h"
#include "ui/controls/Geometry.h"

#include <gtest/gtest.h>

TEST(RectsIntersect, TouchingEdgesDoNotIntersectButOverlapsDo) {
    const RectF a = MakeRectF(10, 10, 20, 20);
    struct Case {
        RectF b;
        bool intersects;
    };
    const Case cases[] = {
        {a, true},
        {MakeRectF(30, 10, 5, 5), false}, // touches the right edge
        {MakeRectF(0, 10, 10, 5), false}, // touches the left edge
        {MakeRectF(10, 30, 5, 5), false}, // touches the bottom edge
        {MakeRectF(10, 0, 5, 10), false}, // touches the top edge
        {MakeRectF(29.5f, 29.5f, 5, 5), true},
        {MakeRectF(15, 15, 1, 1), true},   // inside
        {MakeRectF(0, 0, 100, 100), true}, // around
        {MakeRectF(40, 40, 5, 5), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RectsIntersect(a, c.b), c.intersects)
            << "b = (" << c.b.x << ", " << c.b.y << ", " << c.b.width << ", " << c.b.height << ")";
        EXPECT_EQ(RectsIntersect(c.b, a), c.intersects) << "the test must be symmetric";
    }
}

TEST(PointInRect, LeftAndTopEdgesAreInsideRightAndBottomOutside) {
    const RectF r = MakeRectF(10, 20, 30, 40);
    struct Case {
        float x, y;
        bool inside;
    };
    const Case cases[] = {
        {10, 20, true},     {39.9f, 59.9f, true}, {40, 30, false}, {20, 60, false},
        {9.99f, 30, false}, {20, 19.99f, false},  {25, 40, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointInRect(r, c.x, c.y), c.inside) << "point (" << c.x << ", " << c.y << ")";
    }
}

TEST(InflateRectF, AddsEachDeltaToItsField) {
    RectF r = MakeRectF(5, 5, 329, 130);
    InflateRectF(r, -1, -1, 2, 2);
    EXPECT_EQ(r, MakeRectF(4, 4, 331, 132));
}

TEST(ToPixelBox, TruncatesTowardZero) {
    const PixelBox box = ToPixelBox(MakeRectF(1.9f, -1.9f, 10.99f, 3.5f));
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, -1);
    EXPECT_EQ(box.width, 10);
    EXPECT_EQ(box.height, 3);
}

TEST(IsDarkColor, DarkWhenFewerThanTwoComponentsReach126) {
    struct Case {
        ArgbColor color;
        bool dark;
    };
    const Case cases[] = {
        {0xFF7F7F00, false}, // red 127, green 127: two bright components
        {0xFF7F0000, true},  // red 127 only
        {0xFF7D7D7D, true},  // all three at 125
        {0xFF7E7E00, false}, // 126 counts as bright
        {0xFE000000, true},  {0xFEFFFFFF, false}, {0x00FFFF00, false}, // alpha is ignored
        {0xFF0000FF, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDarkColor(c.color), c.dark) << std::hex << c.color;
    }
}

TEST(ArgbToColorRef, ReordersAndDropsAlpha) {
    EXPECT_EQ(ArgbToColorRef(0xFE112233), 0x00332211u);
    EXPECT_EQ(ArgbToColorRef(MakeArgb(0x00ABCDEF, 10)), 0x00ABCDEFu);
}

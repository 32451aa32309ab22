#include "core/surface.h"

#include <gtest/gtest.h>

#include <climits>

namespace morv {
namespace {

constexpr COLORREF kInk = rgb(255, 0, 0);

// Draws the line on a small surface and, moved by (dx, dy), on a large one that
// holds it whole; the small one must show exactly its part of the large one.
void expect_clipping_keeps_the_line(Point a, Point b, int width) {
    Surface small(120, 80);
    small.line(a, b, width, kInk);
    const int dx = 400, dy = 400;
    Surface large(1000, 1000);
    large.line({a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}, width, kInk);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            ASSERT_EQ(small.get_pixel(x, y), large.get_pixel(x + dx, y + dy))
                << "line " << a.x << "," << a.y << " to " << b.x << "," << b.y << " width " << width
                << " at " << x << "," << y;
}

TEST(SurfaceLine, ClippingDoesNotBendTheLine) {
    for (int width = 1; width <= 3; ++width) {
        expect_clipping_keeps_the_line({5, 290}, {6, -150}, width); // steep, both ends outside
        expect_clipping_keeps_the_line({-300, 7}, {200, 61}, width);
        expect_clipping_keeps_the_line({117, 3}, {-250, 79}, width);
        expect_clipping_keeps_the_line({60, -200}, {-37, 300}, width);
        expect_clipping_keeps_the_line({10, 10}, {100, 70}, width); // inside
    }
}

TEST(SurfaceLine, ThinLineLeavesOutOnlyItsTrueEndPoint) {
    Surface s(20, 20);
    s.line({2, 5}, {9, 5}, 1, kInk);
    EXPECT_EQ(s.get_pixel(2, 5), kInk);
    EXPECT_EQ(s.get_pixel(8, 5), kInk);
    EXPECT_EQ(s.get_pixel(9, 5), 0u);
    s.line({3, 3}, {3, 3}, 1, kInk); // a thin line to its own start draws nothing
    EXPECT_EQ(s.get_pixel(3, 3), 0u);
    s.line({-5, 12}, {40, 12}, 1, kInk); // the end lies beyond: all visible pixels
    EXPECT_EQ(s.get_pixel(0, 12), kInk);
    EXPECT_EQ(s.get_pixel(19, 12), kInk);
}

TEST(SurfaceLine, FarEndPointsDrawOnlyTheVisiblePart) {
    Surface s(50, 50);
    s.line({INT_MIN, 5}, {10, 5}, 1, kInk);
    EXPECT_EQ(s.get_pixel(0, 5), kInk);
    EXPECT_EQ(s.get_pixel(9, 5), kInk);
    EXPECT_EQ(s.get_pixel(10, 5), 0u);
    s.line({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, 2, kInk); // the diagonal
    EXPECT_EQ(s.get_pixel(25, 25), kInk);
    s.line({INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, 3, kInk); // far off to the right
    EXPECT_EQ(s.get_pixel(49, 30), 0u);
}

} // namespace
} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/surface.h"
#include "support/render.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace morv {

namespace {

using test::expect_pixels;

constexpr Rgb kInk = rgb(10, 20, 30);

int count_ink(const Surface& s) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += s.get_pixel(x, y) == kInk;
    return n;
}

} // namespace

TEST(Surface, PixelsOffTheSurfaceAreIgnoredAndReadZero) {
    Surface s(10, 5, rgb(1, 1, 1));
    for (Point p : {Point{3, 4}, {10, 0}, {-1, 0}, {0, 5}})
        s.set_pixel(p.x, p.y, kInk);
    expect_pixels(s, {{3, 4, kInk}, {10, 0, 0}, {0, -1, 0}});
    EXPECT_EQ(count_ink(s), 1);
    EXPECT_EQ(s.data()[4 * 10 + 3], 0xFF0A141Eu); // stored as 0xFFRRGGBB
}

TEST(Surface, FillRectExcludesRightAndBottomEdgesAndClips) {
    Surface s(10, 10);
    s.fill_rect({2, 3, 5, 6}, kInk);
    EXPECT_EQ(count_ink(s), 9);
    expect_pixels(s, {{4, 5, kInk}, {5, 5, 0}, {4, 6, 0}});
    s.fill_rect({-100, -100, 1000, 1000}, kInk);
    EXPECT_EQ(count_ink(s), 100);
}

// Wide lines are solid and include their ends; a thin one leaves out only
// its true end point, and one to its own start draws nothing.
TEST(Surface, LineEndsByWidth) {
    Surface s(20, 20);
    s.line({5, 10}, {15, 10}, 3, kInk);
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(s.get_pixel(5 + i / 3, 9 + i % 3), kInk) << i;
    EXPECT_EQ(s.get_pixel(10, 8), 0u);
    Surface t(20, 20);
    t.line({5, 10}, {15, 10}, 2, kInk);
    EXPECT_EQ(count_ink(t), 24); // 2 rows of 12: the extra pixel goes right and down
    Surface u(20, 20);
    u.line({2, 5}, {9, 5}, 1, kInk);
    u.line({3, 3}, {3, 3}, 1, kInk);
    u.line({-5, 12}, {40, 12}, 1, kInk); // the end lies beyond: all visible pixels
    expect_pixels(u, {{2, 5, kInk}, {8, 5, kInk}, {9, 5, 0}, {0, 12, kInk}, {19, 12, kInk}});
    EXPECT_EQ(count_ink(u), 27);
}

TEST(Surface, FarEndPointsDrawOnlyTheVisiblePart) {
    Surface s(50, 50);
    s.line({INT32_MIN, 5}, {10, 5}, 1, kInk);
    s.line({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, 2, kInk); // the diagonal
    expect_pixels(s, {{0, 5, kInk}, {9, 5, kInk}, {10, 5, 0}, {25, 25, kInk}});
    Surface t(50, 50);
    t.line({INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX}, 3, kInk); // far off to the right
    t.line({-1000000, 5}, {-5, 5}, 2, kInk);
    EXPECT_EQ(count_ink(t), 0);
}

// Drawn on a small surface and, moved by (400, 400), on a large one that holds
// it whole, a line must show exactly its part of the large one.
TEST(Surface, ClippingDoesNotBendTheLine) {
    const std::pair<Point, Point> lines[] = {{{5, 290}, {6, -150}}, // steep, both ends outside
                                             {{-300, 7}, {200, 61}},
                                             {{117, 3}, {-250, 79}},
                                             {{60, -200}, {-37, 300}},
                                             {{10, 10}, {100, 70}}}; // inside
    for (int width = 1; width <= 3; ++width)
        for (auto [a, b] : lines) {
            SCOPED_TRACE(std::to_string(a.x) + "," + std::to_string(a.y) + " width " +
                         std::to_string(width));
            Surface small(120, 80), large(1000, 1000);
            small.line(a, b, width, kInk);
            large.line({a.x + 400, a.y + 400}, {b.x + 400, b.y + 400}, width, kInk);
            for (int y = 0; y < small.height(); ++y)
                for (int x = 0; x < small.width(); ++x)
                    ASSERT_EQ(small.get_pixel(x, y), large.get_pixel(x + 400, y + 400))
                        << x << "," << y;
        }
}

// A closed polyline joins its last point to the first; a polygon fills its
// inside (also when its corners lie far outside) and draws its outline.
TEST(Surface, PolylinesAndPolygons) {
    Surface s(20, 20);
    s.polyline_closed(std::vector<Point>{{2, 2}, {8, 2}, {8, 8}, {2, 8}}, 1, kInk);
    expect_pixels(s, {{2, 5, kInk}, {5, 5, 0}});
    EXPECT_EQ(count_ink(s), 24);
    Surface p(20, 20);
    const Rgb fill = rgb(200, 0, 0);
    p.polygon(std::vector<Point>{{2, 2}, {12, 2}, {12, 12}, {2, 12}}, fill, 1, kInk);
    expect_pixels(p, {{7, 7, fill}, {2, 7, kInk}, {12, 7, kInk}, {13, 7, 0}});
    const std::vector<Point> far{{-1000000, -1000000}, {1000000, -1000000}, {0, 1000000}};
    p.polygon(far, fill, 2, kInk);
    EXPECT_EQ(p.get_pixel(10, 10), fill);
}

TEST(Surface, CopyMovesARectangleAndTracksTheDirtyArea) {
    Surface src(10, 10);
    src.fill_rect({0, 0, 3, 3}, kInk);
    Surface dst(10, 10, rgb(5, 5, 5));
    dst.track_dirty();
    dst.copy_from(src, {0, 0, 3, 3}, {6, 6});
    expect_pixels(dst, {{6, 6, kInk}, {8, 8, kInk}, {5, 5, rgb(5, 5, 5)}});
    const Rect dirty = dst.take_dirty();
    EXPECT_EQ(std::pair(dirty.left, dirty.bottom), std::pair(6, 9));
    EXPECT_TRUE(dst.take_dirty().empty());
    dst.copy_from(src, {0, 0, 10, 10}, {8, 8}); // clipped at the edges
    EXPECT_EQ(dst.get_pixel(9, 9), kInk);
}

} // namespace morv

#include "core/surface.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace morv {

namespace {

constexpr COLORREF kInk = rgb(10, 20, 30);

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
    s.set_pixel(3, 4, kInk);
    s.set_pixel(10, 0, kInk);
    s.set_pixel(-1, 0, kInk);
    s.set_pixel(0, 5, kInk);
    EXPECT_EQ(s.get_pixel(3, 4), kInk);
    EXPECT_EQ(s.get_pixel(10, 0), 0u);
    EXPECT_EQ(s.get_pixel(0, -1), 0u);
    EXPECT_EQ(count_ink(s), 1);
    EXPECT_EQ(s.data()[4 * 10 + 3], 0xFF0A141Eu); // stored as 0xFFRRGGBB
}

TEST(Surface, FillRectExcludesRightAndBottomEdgesAndClips) {
    Surface s(10, 10);
    s.fill_rect({2, 3, 5, 6}, kInk);
    EXPECT_EQ(count_ink(s), 9);
    EXPECT_EQ(s.get_pixel(4, 5), kInk);
    EXPECT_EQ(s.get_pixel(5, 5), 0u);
    EXPECT_EQ(s.get_pixel(4, 6), 0u);
    s.fill_rect({-100, -100, 1000, 1000}, kInk);
    EXPECT_EQ(count_ink(s), 100);
}

TEST(Surface, WideLinesAreSolidAndIncludeTheirEnds) {
    Surface s(20, 20);
    s.line({5, 10}, {15, 10}, 3, kInk);
    for (int x = 5; x <= 15; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_EQ(s.get_pixel(x, y), kInk) << x << "," << y;
    EXPECT_EQ(s.get_pixel(10, 8), 0u);
    Surface t(20, 20);
    t.line({5, 10}, {15, 10}, 2, kInk);
    EXPECT_EQ(count_ink(t), 24); // 2 rows of 12: the extra pixel goes right and down
}

TEST(Surface, ThinLineLeavesOutOnlyItsTrueEndPoint) {
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

TEST(Surface, FarEndPointsDrawOnlyTheVisiblePart) {
    Surface s(50, 50);
    s.line({INT32_MIN, 5}, {10, 5}, 1, kInk);
    EXPECT_EQ(s.get_pixel(0, 5), kInk);
    EXPECT_EQ(s.get_pixel(9, 5), kInk);
    EXPECT_EQ(s.get_pixel(10, 5), 0u);
    s.line({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, 2, kInk); // the diagonal
    EXPECT_EQ(s.get_pixel(25, 25), kInk);
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

TEST(Surface, ClosedPolylineJoinsTheLastPointToTheFirst) {
    Surface s(20, 20);
    const std::vector<Point> square{{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    s.polyline_closed(square, 1, kInk);
    EXPECT_EQ(s.get_pixel(2, 5), kInk); // the closing side
    EXPECT_EQ(s.get_pixel(5, 5), 0u);
    EXPECT_EQ(count_ink(s), 24);
}

TEST(Surface, PolygonFillsItsInsideAndDrawsItsOutline) {
    Surface s(20, 20);
    const COLORREF fill = rgb(200, 0, 0);
    const std::vector<Point> quad{{2, 2}, {12, 2}, {12, 12}, {2, 12}};
    s.polygon(quad, fill, 1, kInk);
    EXPECT_EQ(s.get_pixel(7, 7), fill);
    EXPECT_EQ(s.get_pixel(2, 7), kInk);
    EXPECT_EQ(s.get_pixel(12, 7), kInk);
    EXPECT_EQ(s.get_pixel(13, 7), 0u);
    const std::vector<Point> far{{-1000000, -1000000}, {1000000, -1000000}, {0, 1000000}};
    s.polygon(far, fill, 2, kInk);
    EXPECT_EQ(s.get_pixel(10, 10), fill);
}

TEST(Surface, CopyMovesARectangleAndTracksTheDirtyArea) {
    Surface src(10, 10);
    src.fill_rect({0, 0, 3, 3}, kInk);
    Surface dst(10, 10, rgb(5, 5, 5));
    dst.track_dirty();
    dst.copy_from(src, {0, 0, 3, 3}, {6, 6});
    EXPECT_EQ(dst.get_pixel(6, 6), kInk);
    EXPECT_EQ(dst.get_pixel(8, 8), kInk);
    EXPECT_EQ(dst.get_pixel(5, 5), rgb(5, 5, 5));
    const Rect dirty = dst.take_dirty();
    EXPECT_EQ(dirty.left, 6);
    EXPECT_EQ(dirty.bottom, 9);
    EXPECT_TRUE(dst.take_dirty().empty());
    dst.copy_from(src, {0, 0, 10, 10}, {8, 8}); // clipped at the edges
    EXPECT_EQ(dst.get_pixel(9, 9), kInk);
}

} // namespace morv

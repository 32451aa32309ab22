#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {
namespace {

struct Pixel {
    int x, y;
    COLORREF c;
};

std::vector<Pixel> painted(const State& s) {
    std::vector<Pixel> out;
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x)
            if (const COLORREF c = s.canvas.get_pixel(x, y); c != s.back) out.push_back({x, y, c});
    return out;
}

TEST(KamTorus, FirstOrbitSitsOnTheFixedPoint) {
    State s = test::make_state(23, 200);
    std::vector<int> sleeps;
    s.platform.sleep_ms = [&](int ms) { sleeps.push_back(ms); };
    fractaldriver(s);
    EXPECT_EQ(s.lastresult, kTransient);
    EXPECT_EQ(sleeps, std::vector<int>{5});
    // All 110 points coincide: one pixel, step length 0 raised to index 1.
    const auto px = painted(s);
    ASSERT_EQ(px.size(), 1u);
    EXPECT_EQ(px[0].x, 80);
    EXPECT_EQ(px[0].y, 199 - 95);
    EXPECT_EQ(px[0].c, palette_color(s.palette, 1));
}

TEST(KamTorus, ScaleZeroPutsEveryOrbitOnOnePixelAndARunIs1201Orbits) {
    State s = test::make_state(23, 200);
    s.p[23].sp0 = 0;
    EXPECT_EQ(test::render(s, 5000), 1201);
    EXPECT_EQ(s.lastresult, kComplete);
    const auto px = painted(s);
    ASSERT_EQ(px.size(), 1u);
    EXPECT_EQ(px[0].x, 80);
    EXPECT_EQ(px[0].y, 104);
}

TEST(RandomizedKamTorus, DrawsAWholePictureInOneCallFromTheClock) {
    State s = test::make_state(28, 200, 12345);
    EXPECT_EQ(test::render(s, 10), 1);
    EXPECT_EQ(s.lastresult, kComplete);
    const std::uint64_t first = test::canvas_checksum(s);
    // Every fresh start reseeds: the same clock gives the same torus.
    s.firstloop = 1;
    test::render(s, 1);
    EXPECT_EQ(test::canvas_checksum(s), first);
    State t = test::make_state(28, 200, 777777);
    test::render(t, 1);
    EXPECT_NE(test::canvas_checksum(t), first);
}

} // namespace
} // namespace morv

#include "formulas/chaosgame.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <climits>

namespace morv {
namespace {

constexpr int kSierpinski = 8;
constexpr int kFern = 9;

// A table whose every map sends the point to exactly (x, y) (e is x, f is y).
void constant_maps(State& s, double x, double y) {
    for (auto& m : s.f)
        m = {0, 0, 0, 0, x, y};
}

TEST(Sierpinski, OutOfRangeLayoutIsHeldToTheTable) {
    for (int mode : {-7, 6, INT_MAX}) {
        State s = test::make_state(kSierpinski, 200);
        s.smode = mode;
        test::render(s, 500);
        EXPECT_EQ(scratch(s).selfdraw1.sierpinski.mode, mode < 0 ? 0 : 5);
        EXPECT_GT(test::painted_pixels(s), 0);
    }
}

TEST(Sierpinski, HitCountColouringWithoutBufferUsesTheForeground) {
    State s = test::make_state(kSierpinski, 200);
    s.scmode = 1; // the method stays 0: the driver keeps no counts
    test::render(s, 2000);
    EXPECT_TRUE(s.hitcount.empty());
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x) {
            const COLORREF c = s.canvas.get_pixel(x, y);
            ASSERT_TRUE(c == s.back || c == s.fore) << x << "," << y;
        }
}

TEST(Fern, InsaneProbabilitiesStillPickOneOfTheSixMaps) {
    const std::array<int, 6> tables[] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {-50, 20, INT_MAX, 0, 0, 0},
        {0, 0, 0, 0, 0, 0},
    };
    const int want_at_50[] = {0, 5, 2, 5};
    for (int t = 0; t < 4; ++t) {
        for (int r = 0; r < 100; ++r) {
            const int k = fern_map(tables[t], r);
            EXPECT_TRUE(k >= 0 && k <= 5) << t << "/" << r;
        }
        EXPECT_EQ(fern_map(tables[t], 50), want_at_50[t]) << t;
    }
}

TEST(Fern, PointsOffTheCanvasAreNeitherCountedNorDrawn) {
    State s = test::make_state(kFern, 200);
    constant_maps(s, 50, 50);
    s.ifscmode = 1;
    s.method[kFern] = 3;
    test::render(s, 300);
    EXPECT_EQ(test::painted_pixels(s), 0);
    EXPECT_EQ(s.hitmax, 0u);
    for (float h : s.hitcount)
        ASSERT_EQ(h, 0.0f);
}

TEST(Fern, CollapseIntoSubnormalsEndsTheImage) {
    State s = test::make_state(kFern, 200);
    for (auto& m : s.f)
        m = {1e-10, 0, 0, 1e-10, 0, 0};
    const long long calls = test::render(s, 1000);
    EXPECT_LT(calls, 40);
    EXPECT_EQ(s.firstloop, 1);
    // An exact zero is no collapse: a table of zero maps keeps drawing.
    State z = test::make_state(kFern, 200);
    constant_maps(z, 0, 0);
    EXPECT_EQ(test::render(z, 300), 300);
    EXPECT_EQ(test::painted_pixels(z), 1);
}

} // namespace
} // namespace morv

#include "core/driver.h"
#include "core/numeric.h"
#include "formulas/chaosgame.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <climits>

namespace morv {

using test::entry;
namespace {

constexpr int kSierpinski = 8;
constexpr int kFern = 9;

// A table whose every map sends the point to exactly `to` (e is x, f is y).
void constant_maps(State& s, double x, double y) {
    for (auto& m : s.f)
        m = {0, 0, 0, 0, x, y};
}

// The fresh start (with its hit-count buffer when the method keeps one).
void start(State& s) {
    s.firstloop = 1;
    fractaldriver(s);
}

TEST(ChaosGame, FirstHundredPointsAreNotDrawn) {
    for (int type : {kSierpinski, kFern}) {
        State s = test::make_state(type, 200);
        test::render(s, 100);
        EXPECT_EQ(test::painted_pixels(s), 0) << "type " << type;
        test::render(s, 1);
        EXPECT_EQ(test::painted_pixels(s), 1) << "type " << type;
    }
}

TEST(Sierpinski, SquareVerticesAtRes600) {
    State s = test::make_state(kSierpinski, 600);
    s.smode = 1;
    test::render(s, 1);
    const auto& v = scratch(s).selfdraw1.sierpinski.vertex;
    const double want[4][2] = {{300, 20}, {20, 300}, {580, 300}, {300, 580}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(v[k].x, want[k][0]) << k;
        EXPECT_DOUBLE_EQ(v[k].y, want[k][1]) << k;
    }
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

TEST(Sierpinski, HitCountColourIsTheCountBeforeTheHit) {
    State s = test::make_state(kSierpinski, 200);
    s.scmode = 1;
    s.method[kSierpinski] = 3;
    start(s);
    // Replaying the same call hits the same pixel again.
    const SierpinskiScratch before = scratch(s).selfdraw1.sierpinski;
    const Random rng = s.rng;
    VOXEL next{};
    int x = 0, y = 0;
    for (unsigned hit = 0; hit < 3; ++hit) {
        scratch(s).selfdraw1.sierpinski = before;
        s.rng = rng;
        sierpinski(s, s, s.v, &next, 100, &x, &y);
        const int px = trunc32(scratch(s).selfdraw1.sierpinski.x0),
                  py = trunc32(scratch(s).selfdraw1.sierpinski.y0);
        EXPECT_EQ(s.canvas.get_pixel(px, py), entry(s, hit)) << "hit " << hit;
        EXPECT_FLOAT_EQ(s.hitcount[py * s.res + px], hit + 1.0f);
        EXPECT_EQ(s.hitmax, hit);
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

TEST(Fern, MapChoiceFollowsTheRunningSums) {
    const std::array<int, 6> fp = {1, 85, 7, 7, 0, 0};
    EXPECT_EQ(fern_map(fp, 0), 0);
    for (int r = 1; r <= 85; ++r)
        EXPECT_EQ(fern_map(fp, r), 1) << r;
    for (int r = 86; r <= 92; ++r)
        EXPECT_EQ(fern_map(fp, r), 2) << r;
    for (int r = 93; r <= 99; ++r)
        EXPECT_EQ(fern_map(fp, r), 3) << r;
    for (int r = 0; r < 100; ++r)
        EXPECT_EQ(fern_map({0, 0, 0, 0, 0, 100}, r), 5) << r;
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

TEST(Fern, HitCountColourIsTheCountAfterTheHit) {
    State s = test::make_state(kFern, 200);
    constant_maps(s, 0, 0); // every point lands on the model origin
    s.ifscmode = 1;
    s.method[kFern] = 3;
    test::render(s, 101);
    // (0, 0) in the window -5..5 x -1..9 at res 200.
    const int x = 100, y = 179;
    EXPECT_EQ(s.canvas.get_pixel(x, y), entry(s, 1));
    test::render(s, 1);
    EXPECT_EQ(s.canvas.get_pixel(x, y), entry(s, 2));
    EXPECT_FLOAT_EQ(s.hitcount[y * s.res + x], 2.0f);
    EXPECT_EQ(s.hitmax, 2u);
    EXPECT_EQ(test::painted_pixels(s), 1);
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
    EXPECT_EQ(s.lastresult, kComplete);
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

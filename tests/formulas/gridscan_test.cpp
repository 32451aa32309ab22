#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace morv {

using test::entry;
namespace {

constexpr int kWeb = 13;
constexpr int kVl = 14;
constexpr int kPopcorn = 16;
constexpr int kFrothy = 18;

TEST(GridScan, OneRowPerCallAndTheLastRowEndsTheImage) {
    for (int type : {kWeb, kVl, kPopcorn, kFrothy}) {
        State s = test::make_state(type, 200);
        for (int call = 1; call < 200; ++call) {
            fractaldriver(s);
            ASSERT_EQ(s.lastresult, kTransient) << "type " << type << " call " << call;
        }
        fractaldriver(s);
        EXPECT_EQ(s.lastresult, kComplete) << "type " << type;
        EXPECT_EQ(s.firstloop, 1) << "type " << type;
    }
}

TEST(Web, LongOrbitsGetEntryFourAndQuickEscapesStayBackground) {
    // At res 201 the centre pixel is the plane origin, whose orbit never moves.
    State s = test::make_state(kWeb, 201);
    test::render(s, 201);
    EXPECT_EQ(s.canvas.get_pixel(100, 100), entry(s, 4));
    EXPECT_EQ(s.canvas.get_pixel(0, 0), s.back);
    EXPECT_EQ(s.canvas.get_pixel(200, 200), s.back);
}

TEST(Vl, ColouringScaleDependsOnTheIterationLimit) {
    const std::pair<int, double> cases[] = {
        {64, 256.0}, {255, 256.0}, {256, 256.0}, {1024, 1024.0}};
    for (auto [maxiter, factor] : cases) {
        State s = test::make_state(kVl, 200);
        s.vlmaxiter = maxiter;
        s.vlcoloring = 1;
        test::render(s, 1);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
        // Held for the whole picture, whatever happens to the option meanwhile.
        s.vlmaxiter = 64;
        test::render(s, 10);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
    }
}

TEST(Vl, IterationLimitFromElsewhereIsHeldToTheDialogRange) {
    State s = test::make_state(kVl, 200);
    s.vlmaxiter = INT_MAX; // would otherwise make one row run for hours
    s.vlcoloring = 1;
    test::render(s, 2);
    EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, 1024.0);
}

TEST(Vl, TargetDiskEndsAnOrbitAfterItsStep) {
    // A disk covering the whole window: every orbit that does not escape in
    // its first step leaves after it, with n = 1 and so entry 1.
    State s = test::make_state(kVl, 200);
    s.vlcoloring = 2;
    s.vlradius = 1e6;
    test::render(s, 200);
    int coloured = 0;
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x) {
            const COLORREF c = s.canvas.get_pixel(x, y);
            ASSERT_TRUE(c == s.back || c == entry(s, 1)) << x << "," << y;
            coloured += c == entry(s, 1);
        }
    EXPECT_GT(coloured, 0);
}

TEST(Vl, ReferenceOrbitIsDrawnAfterTheLastRow) {
    State plain = test::make_state(kVl, 200);
    test::render(plain, 200);
    State shown = test::make_state(kVl, 200);
    shown.showorbits = 1;
    test::render(shown, 199);
    int differ = 0;
    for (int y = 0; y < 199; ++y)
        for (int x = 0; x < shown.res; ++x)
            differ += shown.canvas.get_pixel(x, y) != plain.canvas.get_pixel(x, y);
    EXPECT_EQ(differ, 0) << "nothing extra before the scan ends";
    test::render(shown, 1);
    int yellow = 0;
    for (int y = 0; y < shown.res; ++y)
        for (int x = 0; x < shown.res; ++x) {
            const COLORREF c = shown.canvas.get_pixel(x, y);
            if (c != plain.canvas.get_pixel(x, y)) {
                ASSERT_EQ(c, rgb(255, 255, 0)) << x << "," << y;
            }
            yellow += c == rgb(255, 255, 0);
        }
    EXPECT_GT(yellow, 0);
}

TEST(Popcorn, ScaledWindowIsSymmetricAndRowsCycleThePalette) {
    State s = test::make_state(kPopcorn, 300);
    s.p[kPopcorn].sp1 = 2;
    std::vector<int> waits;
    s.platform.sleep_ms = [&](int ms) { waits.push_back(ms); };
    test::render(s, 1);
    const PopcornScratch& sc = scratch(s).selfdraw1.popcorn;
    EXPECT_DOUBLE_EQ(sc.xmin, -1.0);
    EXPECT_DOUBLE_EQ(sc.xmax, 1.0);
    EXPECT_DOUBLE_EQ(sc.ymin, -1.0);
    EXPECT_DOUBLE_EQ(sc.ymax, 1.0);
    EXPECT_EQ(sc.index, 2);
    test::render(s, 254);
    EXPECT_EQ(sc.index, 1); // rows 1..255 used entries 1..255
    EXPECT_EQ(waits, std::vector<int>(255, s.speed)) << "one wait per row";
}

TEST(FrothyBasin, EscapeScanCoversItsFixedWindowMirrored) {
    State s = test::make_state(kFrothy, 600);
    test::render(s, 1);
    const FrothyBasinScratch& sc = scratch(s).selfdraw1.frothybasin;
    const auto at = [&](int i, double side, double min) { return i * side / (s.res - 1) + min; };
    EXPECT_DOUBLE_EQ(at(0, sc.xside, sc.xmin), -2.3);
    EXPECT_DOUBLE_EQ(at(599, sc.xside, sc.xmin), 2.7);
    EXPECT_DOUBLE_EQ(at(0, sc.yside, sc.ymin), -2.4);
    EXPECT_DOUBLE_EQ(at(599, sc.yside, sc.ymin), 2.0);
    EXPECT_DOUBLE_EQ(sc.maxsize, 7.0);
}

TEST(FrothyBasin, FiniteAttractorModeIsAPointMap) {
    State s = test::make_state(kFrothy, 600);
    s.basinflag = 1;
    VOXEL next{0.1, 0.1, 0.5};
    int x = 0, y = 0;
    EXPECT_EQ(frothybasin(s, s, VOXEL{0.1, 0.1, 0.5}, &next, 0, &x, &y), kPlot);
    const double a = 1.737, b = -0.035;
    EXPECT_DOUBLE_EQ(next.x, (0.2 * 0.0) - a * 0.1 - b * 0.1);
    EXPECT_DOUBLE_EQ(next.y, 2 * 0.1 * 0.1 - b * 0.1 + a * 0.1);
    EXPECT_DOUBLE_EQ(next.z, 0.5);
    EXPECT_EQ(x, 258);           // trunc((-0.1702 + 2.0) * 600 / 4.25)
    EXPECT_EQ(y, 600 - 333 - 1); // trunc((0.1972 + 1.75) * 600 / 3.5) = 333
}

} // namespace
} // namespace morv

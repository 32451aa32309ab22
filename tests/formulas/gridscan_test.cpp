#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace morv {

using test::entry;
namespace {

constexpr int kVl = 14;

TEST(GridScan, OneRowPerCallAndTheLastRowEndsTheImage) {
    for (int type : {13 /* Web */, kVl, 16 /* Popcorn */, 18 /* Frothy basin */, 19 /* Unity */}) {
        State s = test::make_state(type, 200);
        for (int call = 1; call < 200; ++call) {
            ASSERT_EQ(fractaldriver(s), Outcome::Transient) << "type " << type << " call " << call;
        }
        EXPECT_EQ(fractaldriver(s), Outcome::Complete) << "type " << type;
        EXPECT_EQ(s.firstloop, 1) << "type " << type;
    }
}

TEST(Vl, ColouringScaleIsHeldForThePictureAndTheLimitToTheDialogRange) {
    const std::pair<int, double> cases[] = {
        {64, 256.0}, {255, 256.0}, {256, 256.0}, {1024, 1024.0}, {INT_MAX, 1024.0}};
    for (auto [maxiter, factor] : cases) {
        State s = test::make_state(kVl, 200);
        s.vlmaxiter = maxiter; // unheld, INT_MAX would make one row run for hours
        s.vlcoloring = 1;
        test::render(s, 1);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
        s.vlmaxiter = 64;
        test::render(s, 10);
        EXPECT_DOUBLE_EQ(scratch(s).selfdraw1.vl.factor, factor) << maxiter;
    }
}

TEST(Vl, ReferenceOrbitIsDrawnInYellowAfterTheLastRowOnly) {
    State plain = test::make_state(kVl, 200);
    test::render(plain, 200);
    State shown = test::make_state(kVl, 200);
    shown.showorbits = 1;
    for (int calls : {199, 1}) {
        test::render(shown, calls);
        int yellow = 0;
        for (int y = 0; y < shown.res; ++y)
            for (int x = 0; x < shown.res; ++x) {
                const COLORREF c = shown.canvas.get_pixel(x, y);
                if (c == plain.canvas.get_pixel(x, y) || (y == 199 && calls == 199)) continue;
                ASSERT_EQ(c, rgb(255, 255, 0)) << x << "," << y;
                ++yellow;
            }
        EXPECT_EQ(yellow > 0, calls == 1);
    }
}

TEST(Popcorn, ScaledWindowIsSymmetricAndRowsCycleThePalette) {
    State s = test::make_state(16, 300);
    s.p[16].sp1 = 2;
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

// The Inversion form's index of a start point that is not inverted, without
// basin colouring.
unsigned uninverted_index(double x0, double y0) {
    double size = 0, infsize = 4.0;
    for (int n = 0; size <= 4.0 && n < 3; ++n) {
        const double one = x0 * x0 + y0 * y0;
        const double y1 = (2 - one) * x0;
        const double x1 = (2 - one) * y1;
        size = x1 * x1 + y1 * y1;
        x0 = x1;
        y0 = y1;
        if (size < infsize) infsize = size;
    }
    if (size > 4.0) return static_cast<unsigned>(std::fmod(size / 4.0, 255.0)) + 1;
    return static_cast<unsigned>(256 * infsize * 7) % 255 + 1;
}

TEST(Unity, InversionLeavesTheAxesAlone) {
    State s = test::make_state(19, 201); // row 100 is y = 0 and column 100 is x = 0
    s.unityflag = 1;
    test::render(s, 201);
    for (int i = 0; i < 201; ++i) {
        const double c = i * 3.0 / 200 - 1.5;
        EXPECT_EQ(s.canvas.get_pixel(i, 100), entry(s, uninverted_index(c, 0))) << i;
        EXPECT_EQ(s.canvas.get_pixel(100, i), entry(s, uninverted_index(0, c))) << i;
    }
    // The origin would be sent off to infinity; left alone it stays put.
    EXPECT_EQ(s.canvas.get_pixel(100, 100), entry(s, 1));
    // Off the axes the points are inverted: (-1.5, -1.5) starts at (-1/3, -1/3).
    EXPECT_EQ(s.canvas.get_pixel(0, 0), entry(s, uninverted_index(-1.0 / 3, -1.0 / 3)));
}

} // namespace
} // namespace morv

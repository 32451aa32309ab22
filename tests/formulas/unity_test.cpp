#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {

using test::entry;
namespace {

constexpr int kUnity = 19;

State rendered(int res, int unityflag, int unitybasin) {
    State s = test::make_state(kUnity, res);
    s.unityflag = unityflag;
    s.unitybasin = unitybasin;
    test::render(s, res);
    return s;
}

TEST(Unity, RowsAreScannedTopToBottomAndTheLastEndsTheImage) {
    State s = test::make_state(kUnity, 200);
    for (int call = 1; call < 200; ++call) {
        fractaldriver(s);
        ASSERT_EQ(s.lastresult, kTransient) << call;
    }
    fractaldriver(s);
    EXPECT_EQ(s.lastresult, kComplete);
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x)
            ASSERT_NE(s.canvas.get_pixel(x, y), s.back) << x << "," << y;
}

TEST(Unity, OriginalFormLeavesFarPointsAtOnce) {
    // (-1.5, -1.5) lies outside |z|^2 = 2: size 0, infsize 4, 7168 mod 255 + 1.
    const State s = rendered(200, 0, 0);
    EXPECT_EQ(s.canvas.get_pixel(0, 0), entry(s, 29));
    EXPECT_EQ(s.canvas.get_pixel(199, 199), entry(s, 29));
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
    // At res 201 row 100 is y = 0 and column 100 is x = 0.
    const State s = rendered(201, 1, 0);
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

TEST(Unity, BasinColouringShiftsTheLeftBasin) {
    // A far point keeps its start: (-1.5, y) is nearer (-0.666667, 0) and
    // gets 0 + 127, (1.5, y) gets 0 + 0.
    const State s = rendered(200, 0, 1);
    EXPECT_EQ(s.canvas.get_pixel(0, 0), entry(s, 128));
    EXPECT_EQ(s.canvas.get_pixel(199, 0), entry(s, 1));
}

} // namespace
} // namespace morv

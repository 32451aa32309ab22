#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {
namespace {

constexpr double kE = 2.718281828459045;

struct Call {
    VOXEL n;
    int x, y, result;
};

Call call(StepFn step, State& s, int iter) {
    Call c{};
    c.result = step(s, s, VOXEL{}, &c.n, iter, &c.x, &c.y);
    return c;
}

TEST(Curves3d, ChrysanthemumStartsAtRadiusFive) {
    State s = test::make_state(20, 240); // res / 24 = 10
    const Call c = call(chrysanthemum, s, 0);
    EXPECT_EQ(c.result, kPlot);
    EXPECT_DOUBLE_EQ(c.n.x, 50);
    EXPECT_DOUBLE_EQ(c.n.y, 0);
    EXPECT_DOUBLE_EQ(c.n.z, 5.0 / 3 * std::sin(0.8975979010256552 * 5) * 10);
    EXPECT_EQ(c.x, 170);
    EXPECT_EQ(c.y, 119);
}

TEST(Curves3d, ButterflyStartsOnTheVerticalAxisAtNineTenths) {
    State s = test::make_state(22, 200); // res / 10 = 20
    const Call c = call(butterfly, s, 0);
    EXPECT_DOUBLE_EQ(c.n.x, 0);
    EXPECT_NEAR(c.n.y, (kE - 2) * 20, 1e-12);
    EXPECT_DOUBLE_EQ(c.n.z, 0.5 * c.n.y);
    EXPECT_EQ(c.x, 100);
    EXPECT_EQ(c.y, 200 - (12 + 100) - 1); // trunc(0.9 * 14.37) = 12
}

TEST(Curves3d, ButterflyIsRotatedWhenAnAngleIsSet) {
    State s = test::make_state(22, 200);
    s.rot[22].z = 90; // turns the start point onto the horizontal axis
    const Call c = call(butterfly, s, 0);
    EXPECT_DOUBLE_EQ(c.n.x, 0); // the point handed back stays unrotated
    EXPECT_EQ(c.x, 112);
    EXPECT_EQ(c.y, 99);
}

TEST(Curves3d, EveryTenThousandthPointPauses) {
    State s = test::make_state(22, 200);
    const Call first = call(butterfly, s, 0);
    for (int i = 2; i < 10000; ++i)
        ASSERT_EQ(call(butterfly, s, 1).result, kPlot) << i;
    EXPECT_EQ(call(butterfly, s, 1).result, kStop);
    // After the pause the Butterfly is back at its start.
    const Call again = call(butterfly, s, 1);
    EXPECT_EQ(again.result, kPlot);
    EXPECT_EQ(again.x, first.x);
    EXPECT_EQ(again.y, first.y);

    // The Chrysanthemum is not closed after 21 pi: point 10000 lies opposite.
    State t = test::make_state(20, 240);
    call(chrysanthemum, t, 0);
    for (int i = 2; i < 10000; ++i)
        call(chrysanthemum, t, 1);
    EXPECT_EQ(call(chrysanthemum, t, 1).result, kStop);
    const Call opposite = call(chrysanthemum, t, 1);
    EXPECT_LT(opposite.n.x, 0);
    EXPECT_NEAR(opposite.n.y, 0, 1e-9);
}

TEST(Curves3d, CounterWrapsShortOfTheIntLimit) {
    State s = test::make_state(20, 240);
    call(chrysanthemum, s, 0);
    scratch(s).selfdraw2.chrysanthemum.count = 2147479999;
    EXPECT_EQ(call(chrysanthemum, s, 1).result, kStop);
    EXPECT_EQ(scratch(s).selfdraw2.chrysanthemum.count, 0);
}

} // namespace
} // namespace morv

#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {
namespace {

TEST(Rossler, ObliqueViewPlacesTheAxisByHeightAlone) {
    State s = test::make_state(21, 600);
    s.rosslerflag = 1;
    VOXEL n{};
    int x = 0, y = 0;
    // x = y = 0 after the step: the zero modulus is replaced, not divided by.
    rossler(s, s, VOXEL{0, 0, 0}, &n, 1, &x, &y);
    EXPECT_DOUBLE_EQ(n.z, 0.001);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 600 - 105 - 1); // trunc(6.001 * 600 / 34) = 105
}

TEST(Rossler, StageIsPaintedOnBothSurfacesOnTheFirstCallOnly) {
    State s = test::make_state(21, 600);
    s.rosslerflag = 1;
    attach_window(s, 800, 700);
    fractaldriver(s);
    for (Surface* on : {&s.canvas, &s.window}) {
        EXPECT_EQ(on->get_pixel(300, 100), rgb(255, 255, 255)); // the vertical axis
        EXPECT_EQ(on->get_pixel(5, 590), rgb(0, 48, 80));       // the floor
    }
    s.canvas.fill_rect(Rect{0, 0, 600, 600}, s.back);
    fractaldriver(s); // iter 1: a resumed run does not repaint the stage
    EXPECT_EQ(s.canvas.get_pixel(300, 100), s.back);
}

TEST(Rossler, PacingCountsAcrossRuns) {
    State s = test::make_state(21, 200);
    std::vector<int> sleeps;
    s.platform.sleep_ms = [&](int ms) { sleeps.push_back(ms); };
    test::render(s, 20);
    EXPECT_TRUE(sleeps.empty());
    s.firstloop = 1; // a new run does not reset the counter
    test::render(s, 5);
    EXPECT_EQ(sleeps, std::vector<int>{3});
    s.speed = 0;
    test::render(s, 25);
    EXPECT_EQ(sleeps.size(), 1u);
}

} // namespace
} // namespace morv

#include "core/driver.h"
#include "formulas/masks.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {
namespace {

constexpr COLORREF kWhite = rgb(255, 255, 255);
constexpr COLORREF kFloor = rgb(0, 48, 80);

TEST(Rossler, EachViewUsesItsOwnC) {
    State s = test::make_state(21, 600);
    const VOXEL o{0.6, 0.6, 0.6};
    VOXEL n = o;
    int x = 0, y = 0;
    rossler(s, s, o, &n, 1, &x, &y);
    EXPECT_DOUBLE_EQ(n.x, 0.6 + 0.005 * (-0.6 - 0.6));
    EXPECT_DOUBLE_EQ(n.y, 0.6 + 0.005 * (0.6 + 0.2 * 0.6));
    EXPECT_DOUBLE_EQ(n.z, 0.6 + 0.005 * (0.2 + 0.36 - 5.4 * 0.6));
    s.rosslerflag = 1;
    rossler(s, s, o, &n, 1, &x, &y);
    EXPECT_DOUBLE_EQ(n.z, 0.6 + 0.005 * (0.2 + 0.36 - 5.7 * 0.6));
}

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

TEST(Rossler, StageIsPaintedOnlyOnTheFirstCall) {
    State s = test::make_state(21, 600);
    s.rosslerflag = 1;
    attach_window(s, 800, 700);
    fractaldriver(s);
    for (Surface* on : {&s.canvas, &s.window}) {
        EXPECT_EQ(on->get_pixel(300, 100), kWhite); // the vertical axis
        EXPECT_EQ(on->get_pixel(5, 590), kFloor);
        // The letters: X and Y below the floor diagonals, Z beside the axis.
        EXPECT_EQ(on->get_pixel(574 + 1, 406), kWhite);
        EXPECT_EQ(on->get_pixel(574 + 0, 406), kFloor);
        EXPECT_EQ(on->get_pixel(8 + 0, 406 + 13), kFloor);
        EXPECT_EQ(on->get_pixel(8 + 6, 406 + 13), kWhite);
        EXPECT_EQ(on->get_pixel(278 + 2, 16), kWhite);
        EXPECT_EQ(on->get_pixel(278 + 0, 16), s.back);
    }
    s.canvas.fill_rect(Rect{0, 0, 600, 600}, s.back);
    fractaldriver(s); // iter 1: a resumed run does not repaint the stage
    EXPECT_EQ(s.canvas.get_pixel(300, 100), s.back);
}

TEST(Rossler, GlyphMasksMatchTheirPictures) {
    EXPECT_EQ(xchar.at(0, 0), 0);
    EXPECT_EQ(xchar.at(1, 0), 1);
    EXPECT_EQ(xchar.at(7, 0), 0);
    EXPECT_EQ(xchar.at(0, 13), 1);
    EXPECT_EQ(xchar.at(8, 6), 1);
    EXPECT_EQ(ychar.at(0, 0), 1);
    EXPECT_EQ(ychar.at(6, 7), 0);
    EXPECT_EQ(ychar.at(7, 7), 1);
    EXPECT_EQ(zchar.at(0, 0), 0);
    EXPECT_EQ(zchar.at(14, 0), 1);
    EXPECT_EQ(zchar.at(0, 12), 0);
    EXPECT_EQ(zchar.at(14, 13), 0);
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

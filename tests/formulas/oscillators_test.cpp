#include "core/driver.h"
#include "formulas/masks.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace morv {
namespace {

using Cell = std::pair<int, int>;

std::set<Cell> painted(const State& s) {
    std::set<Cell> out;
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x)
            if (s.canvas.get_pixel(x, y) != s.back) out.insert({x, y});
    return out;
}

TEST(Samardzija, TheFirst1001StepsOnlyFillTheRing) {
    State s = test::make_state(24, 200);
    std::vector<int> sleeps;
    s.platform.sleep_ms = [&](int ms) { sleeps.push_back(ms); };
    test::render(s, 1001);
    EXPECT_TRUE(painted(s).empty());
    EXPECT_TRUE(sleeps.empty());
    test::render(s, 1);
    EXPECT_EQ(painted(s).size(), 1u);
    EXPECT_EQ(sleeps, std::vector<int>{2});
}

TEST(Samardzija, ColourWrapsFrom255ToOne) {
    State s = test::make_state(24, 200);
    SamardzijaScratch& k = scratch(s).selfdraw2.samardzija;
    test::render(s, 1050);
    k.color = 255;
    k.count = 1100;
    test::render(s, 1);
    EXPECT_EQ(k.color, 1);
}

TEST(Samardzija, ThirdVariableSurvivesARestart) {
    State s = test::make_state(24, 200);
    EXPECT_DOUBLE_EQ(scratch(s).selfdraw2.samardzija.e, -0.6);
    test::render(s, 500);
    const double e = scratch(s).selfdraw2.samardzija.e;
    EXPECT_NE(e, -0.6);
    s.firstloop = 1;
    test::render(s, 1);
    EXPECT_DOUBLE_EQ(scratch(s).selfdraw2.samardzija.e, e + 0.01 * -0.6 * 0.06);
}

// The ball of the first call: sprite k with its corner at (left, top), in
// palette entries 1 + shade, and the grey floor mark.
void expect_first_ball(const State& s, int k, int left, int top, Cell floor) {
    std::set<Cell> expected{floor};
    const Mask& m = sphere[static_cast<std::size_t>(k)];
    for (int i = 0; i < m.width(); ++i)
        for (int j = 0; j < m.height(); ++j)
            if (const int v = m.at(i, j)) {
                expected.insert({left + i, top + j});
                EXPECT_EQ(s.canvas.get_pixel(left + i, top + j),
                          palette_color(s.palette, static_cast<unsigned>(1 + v)));
            }
    EXPECT_EQ(painted(s), expected);
    EXPECT_EQ(s.canvas.get_pixel(floor.first, floor.second), rgb(128, 128, 128));
}

TEST(Lissajous, SpriteSizeFollowsTheResolution) {
    State s = test::make_state(25, 600); // size 1 at res 200 is among the golden images
    test::render(s, 1);
    expect_first_ball(s, 2, 512, 293, {519, 494}); // size 5 at t = 0
}

} // namespace
} // namespace morv

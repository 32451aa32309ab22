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
    const auto px = painted(s);
    ASSERT_EQ(px.size(), 1u);
    const Point newest = scratch(s).selfdraw2.samardzija.fifo[1];
    EXPECT_EQ(*px.begin(), Cell(newest.x, newest.y));
    EXPECT_EQ(s.canvas.get_pixel(newest.x, newest.y), palette_color(s.palette, 1));
    EXPECT_EQ(sleeps, std::vector<int>{2});
}

TEST(Samardzija, TrailKeepsTheLast999PositionsOnly) {
    State s = test::make_state(24, 200);
    test::render(s, 3000);
    const SamardzijaScratch& k = scratch(s).selfdraw2.samardzija;
    std::set<Cell> trail;
    for (int j = 0; j < kSamardzijaTrail; ++j)
        if (j != k.sp) trail.insert({k.fifo[j].x, k.fifo[j].y});
    for (const Cell& c : painted(s))
        EXPECT_TRUE(trail.count(c)) << c.first << "," << c.second;
    // The slot about to be overwritten was written 999 calls before the last
    // one and has been erased.
    const Point oldest = k.fifo[k.sp];
    const Point newest = k.fifo[(k.sp + kSamardzijaTrail - 1) % kSamardzijaTrail];
    if (oldest.x != newest.x || oldest.y != newest.y) {
        EXPECT_EQ(s.canvas.get_pixel(oldest.x, oldest.y), s.back);
    }
}

TEST(Samardzija, ColourAdvancesEvery50DrawnStepsAndWraps) {
    State s = test::make_state(24, 200);
    SamardzijaScratch& k = scratch(s).selfdraw2.samardzija;
    test::render(s, 1050); // up to count 1049
    EXPECT_EQ(k.color, 1);
    test::render(s, 1); // count 1050
    EXPECT_EQ(k.color, 2);
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
    State s = test::make_state(25, 600);
    test::render(s, 1);
    expect_first_ball(s, 2, 512, 293, {519, 494}); // size 5 at t = 0
    State t = test::make_state(25, 200);
    test::render(t, 1);
    expect_first_ball(t, 6, 164, 97, {167, 157}); // size 1
}

TEST(Lissajous, EraserRemovesTheFirstBallOnCall95) {
    State s = test::make_state(25, 600);
    std::vector<Cell> first;
    const Mask& m = sphere[2];
    for (int i = 0; i < m.width(); ++i)
        for (int j = 0; j < m.height(); ++j)
            if (m.at(i, j) != 0) first.push_back({512 + i, 293 + j});
    test::render(s, 94);
    for (const Cell& c : first)
        ASSERT_NE(s.canvas.get_pixel(c.first, c.second), s.back);
    test::render(s, 1);
    for (const Cell& c : first)
        ASSERT_EQ(s.canvas.get_pixel(c.first, c.second), s.back);
    EXPECT_EQ(scratch(s).selfdraw2.lissajous.count, 94);
    EXPECT_DOUBLE_EQ(scratch(s).selfdraw2.lissajous.arg1, 0.03);
}

TEST(Lissajous, SpritesMatchTheirPictures) {
    EXPECT_EQ(sphere[0].at(5, 0), 0);
    EXPECT_EQ(sphere[0].at(6, 0), 1);
    EXPECT_EQ(sphere[0].at(6, 12), 1);
    EXPECT_EQ(sphere[1].at(6, 0), 2);
    EXPECT_EQ(sphere[1].at(2, 3), 1);
    EXPECT_EQ(sphere[3].at(4, 7), 1);
    EXPECT_EQ(sphere[3].at(12, 6), 3);
    EXPECT_EQ(sphere[5].at(3, 0), 4);
    EXPECT_EQ(sphere[5].at(3, 4), 1);
    EXPECT_EQ(sphere[7].at(0, 1), 4);
    EXPECT_EQ(sphere[7].at(1, 1), 0);
}

} // namespace
} // namespace morv

#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {

using test::entry;
namespace {

constexpr int kLace = 15;
constexpr int kPgm = 17;

// A generator whose next rand() picks Lace's map k.
Random generator_choosing(int k) {
    for (std::uint32_t seed = 0;; ++seed) {
        Random r;
        r.srand(seed);
        Random probe = r;
        if (probe.rand() % 4 == k) return r;
    }
}

// One drawing call of Lace from the model origin with an empty colour history.
void lace_from_origin(State& s, int k) {
    scratch(s).selfdraw1.lace = LaceScratch{};
    s.rng = generator_choosing(k);
    VOXEL next{};
    int x = 0, y = 0;
    EXPECT_EQ(lace(s, s, VOXEL{}, &next, 100, &x, &y), kTransient);
}

TEST(Lace, FirstHundredPointsOnlyMoveTheOrbit) {
    State s = test::make_state(kLace, 200);
    test::render(s, 100);
    EXPECT_EQ(test::painted_pixels(s), 0);
    const LaceScratch& sc = scratch(s).selfdraw1.lace;
    EXPECT_GT(sc.cr + sc.cg + sc.cb, 0.0);
    EXPECT_NE(sc.x0, 0.5);
    test::render(s, 1);
    EXPECT_EQ(test::painted_pixels(s), 1);
}

TEST(Lace, OriginSitsAtItsPixelAndHitsAddTheHistoryColour) {
    State s = test::make_state(kLace, 600); // sp1 = 4: 150 pixels per unit
    s.canvas.fill_rect(Rect{0, 0, 600, 600}, s.back);
    // Map 3 keeps the origin and sets every history channel to 0.5 (128).
    lace_from_origin(s, 3);
    EXPECT_EQ(s.canvas.get_pixel(300, 262), rgb(129, 119, 104));
    lace_from_origin(s, 3);
    EXPECT_EQ(s.canvas.get_pixel(300, 262), rgb(3, 248, 233)); // (128 + 129) mod 255 + 1 ...
    // Map 0 sends the origin to (0, 1), one unit down; green and blue add 0.
    lace_from_origin(s, 0);
    EXPECT_EQ(s.canvas.get_pixel(300, 412), rgb(129, 246, 231));
    EXPECT_EQ(test::painted_pixels(s), 2);
}

TEST(Pgm, FirstPointAndItsPixel) {
    State s = test::make_state(kPgm, 600);
    s.pgmindex = 0;
    test::render(s, 1);
    EXPECT_DOUBLE_EQ(s.v.x, 1.1);
    EXPECT_DOUBLE_EQ(s.v.y, -0.1);
    EXPECT_EQ(s.canvas.get_pixel(227, 197), entry(s, 1));
    EXPECT_EQ(test::painted_pixels(s), 1);
}

TEST(Pgm, ColourAdvancesEvery2353Points) {
    State s = test::make_state(kPgm, 200);
    test::render(s, 2352);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 1);
    test::render(s, 1);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 2);
    test::render(s, 2352);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 2);
    test::render(s, 1);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 3);
    scratch(s).selfdraw1.pgm.color = 255;
    scratch(s).selfdraw1.pgm.reset = 2352;
    test::render(s, 1);
    EXPECT_EQ(scratch(s).selfdraw1.pgm.color, 1);
}

TEST(Pgm, ZeroGuardsCarryIntoTheMap) {
    State s = test::make_state(kPgm, 200);
    VOXEL next{};
    int x = 0, y = 0;
    s.pgmindex = 6;
    pgm(s, s, VOXEL{0.0, 0.5, 0}, &next, 1, &x, &y);
    EXPECT_EQ(next.y, 1e-06);
    s.pgmindex = 5;
    pgm(s, s, VOXEL{0.25, 0.0, 0}, &next, 1, &x, &y);
    EXPECT_EQ(next.x, (1 - 1e-06) + 0.25 + std::cos(1e-06) * 5e-06 / std::sin(1e-06));
    EXPECT_EQ(next.y, 0.25);
}

TEST(Pgm, OutOfRangeFormulaIsHeldToTheTable) {
    const std::pair<int, int> cases[] = {{-3, 0}, {8, 7}, {1000, 7}};
    for (auto [index, used] : cases) {
        State s = test::make_state(kPgm, 200);
        s.pgmindex = used;
        test::render(s, 500);
        State bad = test::make_state(kPgm, 200);
        bad.pgmindex = index;
        test::render(bad, 500);
        EXPECT_EQ(test::canvas_checksum(bad), test::canvas_checksum(s)) << index;
    }
}

} // namespace
} // namespace morv

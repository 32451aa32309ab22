#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {
namespace {

constexpr int kPgm = 17;

TEST(Pgm, ColourWrapsFrom255ToOne) {
    State s = test::make_state(kPgm, 200);
    test::render(s, 1);
    scratch(s).selfdraw1.pgm.color = 255;
    scratch(s).selfdraw1.pgm.reset = 2352; // the next point is the 2353rd
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

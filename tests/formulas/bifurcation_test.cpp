#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {

using test::entry;
namespace {

State bifurcation_state(int res, int oddflag, std::vector<int>* sleeps) {
    State s = test::make_state(2, res);
    s.oddflag = oddflag;
    s.platform.sleep_ms = [sleeps](int ms) { sleeps->push_back(ms); };
    return s;
}

TEST(Bifurcation, ClassicDiagramAtZeroIsOneShiftedRowCyclingThePalette) {
    std::vector<int> sleeps;
    State s = bifurcation_state(600, 0, &sleeps);
    s.p[2].xstart = 0; // the fixed point 0 in every column
    EXPECT_EQ(test::render(s, 10000), 8 + 600) << "one call per curve and per column";
    EXPECT_EQ(s.lastresult, kComplete);
    EXPECT_EQ(s.firstloop, 1);
    EXPECT_EQ(sleeps, std::vector<int>(8, 1000));
    // x = 0 maps to row 573, shifted up by 300. Eight curve passes advanced the
    // palette position 4800 times before the first diagram column (entry 229).
    EXPECT_EQ(s.canvas.get_pixel(0, 273), entry(s, 229));
    for (int i = 0; i < 600; ++i) {
        ASSERT_EQ(s.canvas.get_pixel(i, 273), entry(s, (4800 + i) % 254 + 1)) << "column " << i;
        // The rest of the top half was cleared column by column.
        for (int y = 0; y < 300; ++y) {
            if (y == 273) continue;
            ASSERT_EQ(s.canvas.get_pixel(i, y), s.back) << i << "," << y;
        }
    }
}

TEST(Bifurcation, OddModeDrawsTwoPassesWithLongerPauses) {
    std::vector<int> sleeps;
    State s = bifurcation_state(600, 1, &sleeps);
    s.p[2].xstart = 0; // both passes coincide on row 300
    attach_window(s, 800, 700);
    EXPECT_EQ(test::render(s, 10000), 2 * 600);
    EXPECT_EQ(s.lastresult, kComplete);
    EXPECT_EQ(sleeps, std::vector<int>(2, 2000));
    for (int i = 0; i < 600; ++i) {
        // The second pass, 600 positions on, drew last.
        ASSERT_EQ(s.canvas.get_pixel(i, 300), entry(s, (600 + i) % 254 + 1)) << "column " << i;
        ASSERT_EQ(s.canvas.get_pixel(i, 299), s.back);
        ASSERT_EQ(s.window.get_pixel(i, 300), s.canvas.get_pixel(i, 300));
    }
}

} // namespace
} // namespace morv

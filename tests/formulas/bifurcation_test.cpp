#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {
namespace {

// The diagram draws one curve or column per call and waits between passes;
// the picture itself is among the golden images.
TEST(Bifurcation, CallsAndWaitsPerPassAndThePaletteRunsOnAcrossPasses) {
    const struct {
        int oddflag;
        long long calls;
        std::vector<int> sleeps;
        int row;
        unsigned first_entry; // of the last pass's first column
    } cases[] = {{0, 8 + 600, std::vector<int>(8, 1000), 273, 229},
                 {1, 2 * 600, std::vector<int>(2, 2000), 300, 93}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oddflag);
        State s = test::make_state(2, 600);
        s.oddflag = c.oddflag;
        s.p[2].xstart = 0; // the fixed point 0 in every column
        attach_window(s, 800, 700);
        std::vector<int> sleeps;
        s.platform.sleep_ms = [&sleeps](int ms) { sleeps.push_back(ms); };
        EXPECT_EQ(test::render(s, 10000), c.calls);
        EXPECT_EQ(s.firstloop, 1);
        EXPECT_EQ(sleeps, c.sleeps);
        for (int i = 0; i < 600; ++i) {
            ASSERT_EQ(s.canvas.get_pixel(i, c.row),
                      test::entry(s, (c.first_entry - 1 + i) % 254 + 1))
                << "column " << i;
            ASSERT_EQ(s.canvas.get_pixel(i, c.row - 1), s.back);
            ASSERT_EQ(s.window.get_pixel(i, c.row), s.canvas.get_pixel(i, c.row));
        }
    }
}

} // namespace
} // namespace morv

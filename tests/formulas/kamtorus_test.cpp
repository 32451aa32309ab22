#include "core/driver.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace morv {
namespace {

TEST(KamTorus, EachCallIsAnOrbitWithAWaitAndARunIs1201Orbits) {
    State s = test::make_state(23, 200);
    std::vector<int> sleeps;
    s.platform.sleep_ms = [&](int ms) { sleeps.push_back(ms); };
    EXPECT_EQ(fractaldriver(s), Outcome::Transient);
    EXPECT_EQ(sleeps, std::vector<int>{5});
    EXPECT_EQ(test::render(s, 5000), 1200);
    EXPECT_EQ(sleeps.size(), 1201u);
}

TEST(RandomizedKamTorus, DrawsAWholePictureInOneCallFromTheClock) {
    State s = test::make_state(28, 200, 12345);
    EXPECT_EQ(test::render(s, 10), 1);
    const std::uint64_t first = test::canvas_checksum(s);
    // Every fresh start reseeds: the same clock gives the same torus.
    s.firstloop = 1;
    test::render(s, 1);
    EXPECT_EQ(test::canvas_checksum(s), first);
    State t = test::make_state(28, 200, 777777);
    test::render(t, 1);
    EXPECT_NE(test::canvas_checksum(t), first);
}

} // namespace
} // namespace morv

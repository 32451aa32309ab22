#include "pointmaps_support.h"

namespace morv::test {
namespace {

// Both curves pause every 10000th point (their pictures are golden images).
TEST(Curves3d, EveryTenThousandthPointPauses) {
    State s = make_state(22, 200);
    const Stepped first = step_once(s, VOXEL{}, 0);
    for (int i = 2; i < 10000; ++i)
        ASSERT_EQ(step_once(s, VOXEL{}, 1).result, kPlot) << i;
    EXPECT_EQ(step_once(s, VOXEL{}, 1).result, kStop);
    // After the pause the Butterfly is back at its start.
    const Stepped again = step_once(s, VOXEL{}, 1);
    EXPECT_EQ(again.result, kPlot);
    EXPECT_EQ(again.x, first.x);
    EXPECT_EQ(again.y, first.y);

    // The Chrysanthemum is not closed after 21 pi: point 10000 lies opposite.
    State t = make_state(20, 240);
    step_once(t, VOXEL{}, 0);
    for (int i = 2; i < 10000; ++i)
        step_once(t, VOXEL{}, 1);
    EXPECT_EQ(step_once(t, VOXEL{}, 1).result, kStop);
    const Stepped opposite = step_once(t, VOXEL{}, 1);
    EXPECT_LT(opposite.v.x, 0);
    EXPECT_NEAR(opposite.v.y, 0, 1e-9);
}

TEST(Curves3d, CounterWrapsShortOfTheIntLimit) {
    State s = make_state(20, 240);
    step_once(s, VOXEL{}, 0);
    scratch(s).selfdraw2.chrysanthemum.count = 2147479999;
    EXPECT_EQ(step_once(s, VOXEL{}, 1).result, kStop);
    EXPECT_EQ(scratch(s).selfdraw2.chrysanthemum.count, 0);
}

} // namespace
} // namespace morv::test

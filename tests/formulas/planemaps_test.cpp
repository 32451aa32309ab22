#include "pointmaps_support.h"

#include <cmath>

namespace morv::test {
namespace {

TEST(PlaneMaps, FirstPointsFromTheDefaults) {
    struct Case {
        int type;
        double x, y;
    };
    for (const Case& c : {Case{26, 1.4396753766583434, -1.9614001118642346},
                          Case{27, 2.3382930884152633, 0.33311061148138044},
                          Case{29, -0.24920812571096468, -0.108832},
                          Case{30, 0.006991437295999999, -0.013092496936},
                          Case{31, -1.5058694724445418, 0.0098745269084867},
                          Case{35, -0.31810817599999996, -0.3795311600000001},
                          Case{37, 1.1208718691853727, -0.058800000000000005}}) {
        State s = make_state(c.type);
        const Stepped r = step_once(s, VOXEL{s.p[c.type].xstart, s.p[c.type].ystart, 5}, 0);
        EXPECT_DOUBLE_EQ(r.v.x, c.x) << c.type;
        EXPECT_DOUBLE_EQ(r.v.y, c.y) << c.type;
        EXPECT_EQ(r.v.z, 5) << c.type;
    }
}

TEST(PlaneMaps, WingsSignIsMinusOneAtZeroAndCosineWavesFlattenAtZeroSp1) {
    State s = make_state(29);
    const Stepped r = step_once(s, VOXEL{0, -0.25, 0}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, 0.5);
    EXPECT_DOUBLE_EQ(r.v.y, -0.25);
    s = make_state(37);
    s.p[37].sp1 = 0;
    EXPECT_EQ(step_once(s, VOXEL{-4, 2, 0}, 0).v.y, 0);
}

TEST(Spirals, FoldsBeyondModulusTwoWithParametersFixedPerRun) {
    State s = make_state(36);
    s.p[36].sp0 = 0; // the map becomes (x^2 - y, x) before the fold
    s.p[36].sp1 = 1;
    Stepped r = step_once(s, VOXEL{0, -2, 0}, 0);
    EXPECT_EQ(r.v.x, 2); // exactly 2 passes
    const double beyond = std::nextafter(-2.0, -3.0);
    s.p[36].sp1 = 0.5; // not read until the next run
    r = step_once(s, VOXEL{0, beyond, 0}, 1);
    EXPECT_EQ(r.v.x, -0.005 * -beyond);
    EXPECT_EQ(r.v.y, 0);
    EXPECT_DOUBLE_EQ(step_once(s, VOXEL{0.5, 0.1, 0}, 0).v.y, 0.25);
}

} // namespace
} // namespace morv::test

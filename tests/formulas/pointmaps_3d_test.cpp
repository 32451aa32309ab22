#include "pointmaps_support.h"

#include "core/view.h"

namespace morv::test {
namespace {

TEST(Lorenz, CentredMappingAndIntegerZShift) {
    State s = make_state(3, 600);
    Stepped r = step_once(s, VOXEL{0, 0, 0}, 0);
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.y, 299);
    r = step_once(s, VOXEL{1, 0, 0}, 1); // unscaled (0.95, 0.14, 0), 600/70 px per unit
    EXPECT_DOUBLE_EQ(r.v.x, 0.95);
    EXPECT_DOUBLE_EQ(r.v.y, 0.14);
    EXPECT_EQ(r.x, 308);
    EXPECT_EQ(r.y, 298);
    // Turned a quarter about X, the z shift 3 * (res >> 3) becomes the displayed y.
    for (auto [res, shift] : {std::pair{600, 225}, std::pair{601, 225}, std::pair{608, 228}}) {
        State t = make_state(3, res);
        t.rot[3].x = 90;
        r = step_once(t, VOXEL{0, 0, 0}, 0);
        EXPECT_EQ(r.x, res >> 1) << res;
        EXPECT_EQ(r.y, res - (-shift + (res >> 1)) - 1) << res;
    }
}

TEST(Lorenz, WaitsSpeedOnlyWhenNonZero) {
    State s = make_state(3);
    std::vector<int> waits;
    s.platform.sleep_ms = [&](int ms) { waits.push_back(ms); };
    s.speed = 0;
    step_once(s, VOXEL{0.6, 0.6, 0.6}, 0);
    s.speed = 5;
    step_once(s, VOXEL{0.6, 0.6, 0.6}, 1);
    EXPECT_EQ(waits, std::vector<int>{5});
}

TEST(SineMaps, FirstPointsAreTheSameWhateverIter) {
    const VOXEL want[] = {{0.5013220692735235, -0.16847864239357535, 0.09983341664682815},
                          {0.07062387237603995, -0.9810304647443978, 0.09983341664682815},
                          {-0.8341232803611385, -0.7403282882970137, 0.09983341664682815}};
    for (int type : {4, 5, 6}) {
        State s = make_state(type);
        const PARAM& p = s.p[type];
        for (int iter : {0, 9999}) {
            const Stepped r = step_once(s, VOXEL{p.xstart, p.ystart, p.zstart}, iter);
            EXPECT_DOUBLE_EQ(r.v.x, want[type - 4].x) << type;
            EXPECT_DOUBLE_EQ(r.v.y, want[type - 4].y) << type;
            EXPECT_DOUBLE_EQ(r.v.z, want[type - 4].z) << type;
        }
    }
}

TEST(SineMaps, ShowTheTurnedPointButKeepTheUnturnedOne) {
    State s = make_state(6, 600);
    const Stepped plain = step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    s.rot[6].z = 90; // (x, y) -> (y, -x)
    const Stepped turned = step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    EXPECT_EQ(turned.v.x, plain.v.x);
    int wx, wy;
    map_to_pixel(s, plain.v.y, -plain.v.x, &wx, &wy);
    EXPECT_NEAR(turned.x, wx, 1);
    EXPECT_NEAR(turned.y, wy, 1);
}

} // namespace
} // namespace morv::test

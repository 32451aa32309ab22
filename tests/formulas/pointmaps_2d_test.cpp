#include "pointmaps_support.h"

#include <cmath>

namespace morv::test {
namespace {

TEST(Ikeda, FirstPointFromTheDefaultStart) {
    State s = make_state(1);
    const Stepped r = step_once(s, VOXEL{0.1, 0.1, 7}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, 0.9980356247142081);
    EXPECT_DOUBLE_EQ(r.v.y, 0.12726406102956392);
    EXPECT_EQ(r.v.z, 7); // z is left alone
    EXPECT_EQ(r.result, kPlot);
}

TEST(Hopalong, SignOfZeroIsPlusOne) {
    State s = make_state(12, 600);
    const Stepped r = step_once(s, VOXEL{0, 0, 0}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, -std::sqrt(4.6));
    EXPECT_DOUBLE_EQ(r.v.y, 1.67);
    EXPECT_EQ(r.x, static_cast<int>((-std::sqrt(4.6) + 212) * 600 / 424));
    // Negative x takes the other sign.
    const Stepped n = step_once(s, VOXEL{-1, 0, 0}, 1);
    EXPECT_DOUBLE_EQ(n.v.x, std::sqrt(std::fabs(0.556 * -1 - 4.6)));
}

TEST(Hpd, AngleZeroAndNinetyDegrees) {
    State s = make_state(7);
    s.p[7].sp0 = 0;
    Stepped r = step_once(s, VOXEL{0.3, 0.2, 0}, 0);
    EXPECT_EQ(r.v.x, 0.3);
    EXPECT_EQ(r.v.y, 0.2 - 0.3 * 0.3);
    s.p[7].sp0 = 90;
    r = step_once(s, VOXEL{0.3, 0.2, 0}, 0);
    EXPECT_NEAR(r.v.x, -(0.2 - 0.3 * 0.3), 1e-15);
    EXPECT_NEAR(r.v.y, 0.3, 1e-15);
    // The angle is read only at the start of a render.
    s.p[7].sp0 = 0;
    r = step_once(s, VOXEL{0.3, 0.2, 0}, 1);
    EXPECT_NEAR(r.v.y, 0.3, 1e-15);
}

TEST(Hpd, ReseedsEveryThousandthCallNeverTheFirst) {
    State s = make_state(7);
    const VOXEL start{0.1, 0.1, 0};
    const Stepped first = step_once(s, start, 0);
    for (int call = 2; call < 1000; ++call) {
        const Stepped r = step_once(s, start, 1);
        ASSERT_EQ(r.v.x, first.v.x) << "call " << call;
    }
    EXPECT_NE(step_once(s, start, 1).v.x, first.v.x); // call 1000
    EXPECT_EQ(step_once(s, start, 1).v.x, first.v.x); // call 1001
    // A fresh render restarts the count.
    EXPECT_EQ(step_once(s, start, 0).v.x, first.v.x);
}

TEST(Hpd, ReseedsOnlyBeyondSquaredRadiusOfOneE16) {
    State s = make_state(7);
    step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    const Stepped edge = step_once(s, VOXEL{1e8, 0, 0}, 1);
    EXPECT_GT(std::fabs(edge.v.y), 1e15); // stepped from the point itself
    const Stepped beyond = step_once(s, VOXEL{1.0000001e8, 0, 0}, 1);
    EXPECT_LT(std::fabs(beyond.v.x), 3); // from a fresh point in [-1, 1]^2
    EXPECT_LT(std::fabs(beyond.v.y), 3);
}

TEST(Feather, FirstCallValuesAndCarriedTerm) {
    State s = make_state(10);
    const Stepped r = step_once(s, VOXEL{3.0, 0.0, 0}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, 1.224);
    EXPECT_DOUBLE_EQ(r.v.y, -1.8123844771225084);
    EXPECT_DOUBLE_EQ(s.pointmaps.feather.w, 1.1876155228774916);
    // The next x' adds the term computed in the previous call.
    const Stepped next = step_once(s, r.v, 1);
    EXPECT_DOUBLE_EQ(next.v.x, 0.93 * r.v.y + 1.1876155228774916);
    // A fresh render resets the term.
    EXPECT_DOUBLE_EQ(step_once(s, VOXEL{3.0, 0.0, 0}, 0).v.y, -1.8123844771225084);
}

TEST(Feather, ReseedsOnTheThousandthCall) {
    State s = make_state(10);
    step_once(s, VOXEL{3.0, 0.0, 0}, 0);
    for (int call = 2; call < 1000; ++call)
        step_once(s, VOXEL{3.0, 0.0, 0}, 1);
    const double w = s.pointmaps.feather.w;
    const Stepped r = step_once(s, VOXEL{1e6, 1e6, 0}, 1);
    // x was replaced by a value in [0, 3], y by one in [0, 1].
    EXPECT_GE(r.v.x, w);
    EXPECT_LE(r.v.x, w + 0.93);
    EXPECT_GE(r.v.y, s.pointmaps.feather.w - 3);
    EXPECT_LE(r.v.y, s.pointmaps.feather.w);
}

TEST(Duffing, ForcingPhaseWrapsAfter628Calls) {
    State s = make_state(11);
    constexpr double h = 0.15915494309189535, amp = 0.472627;
    std::vector<double> forcing;
    for (int call = 0; call < 629; ++call)
        forcing.push_back(step_once(s, VOXEL{0, 0, 0}, call == 0 ? 0 : 1).v.y);
    EXPECT_NEAR(forcing[0], h * amp, 1e-15);
    EXPECT_NEAR(forcing[1], h * amp * std::cos(0.01), 1e-15);
    EXPECT_NEAR(forcing[627], h * amp * std::cos(6.27), 1e-15);
    EXPECT_EQ(forcing[628], forcing[0]);
    // A fresh render starts the phase at 0 again.
    step_once(s, VOXEL{0, 0, 0}, 1);
    EXPECT_EQ(step_once(s, VOXEL{0, 0, 0}, 0).v.y, forcing[0]);
}

TEST(Duffing, WaitsSpeedPlusTenMillisecondsEveryCall) {
    State s = make_state(11);
    std::vector<int> waits;
    s.platform.sleep_ms = [&](int ms) { waits.push_back(ms); };
    s.speed = 0;
    step_once(s, VOXEL{0.157, -0.045, 0}, 0);
    s.speed = 7;
    step_once(s, VOXEL{0.157, -0.045, 0}, 1);
    EXPECT_EQ(waits, (std::vector<int>{10, 17}));
}

TEST(PointMaps2d, RunawayPointsLandOffTheCanvas) {
    for (int type : {1, 10, 11, 12})
        expect_nan_lands_off_canvas(type);
    // hpd starts a fresh orbit instead.
    State s = make_state(7);
    step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    const Stepped r = step_once(s, VOXEL{1e300, -1e300, 0}, 1);
    EXPECT_TRUE(std::isfinite(r.v.x) && std::isfinite(r.v.y));
}

TEST(PointMaps2d, RendersStayPinned) {
    // The default Hopalong window is wide enough for many parameter sets; the
    // default orbit fills only its middle.
    constexpr MINMAX kHopalongZoom{-15, 15, -15, 15};
    expect_pinned_renders({
        {1, 1, 5000, 0x46eef596a6dc8168},
        {1, 3, 5000, 0xd633c407905d3763},
        {7, 1, 5000, 0xe3bee37a4c3cd5f2},
        {7, 3, 5000, 0x742a0cf0c36ad403},
        {10, 1, 5000, 0x18238118f438b634},
        {10, 3, 5000, 0x8bda01f7ee2755e5},
        {11, 2, 3000, 0x4d7d301e49aad963},
        {12, 1, 5000, 0xc6f34e33114f5c1e, kHopalongZoom},
        {12, 3, 5000, 0x39cbd70afd4f9d25, kHopalongZoom},
    });
}

} // namespace
} // namespace morv::test

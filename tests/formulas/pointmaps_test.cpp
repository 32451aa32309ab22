#include "pointmaps_support.h"

#include <cmath>

namespace morv::test {
namespace {

TEST(PointMaps, WaitsFollowTheSpeed) {
    const struct {
        int type, speed;
        std::vector<int> waits;
    } cases[] = {{3, 0, {}}, {3, 5, {5, 5}}, {11, 0, {10, 10}}, {11, 7, {17, 17}}};
    for (const auto& c : cases) {
        State s = make_state(c.type);
        std::vector<int> waits;
        s.platform.sleep_ms = [&](int ms) { waits.push_back(ms); };
        s.speed = c.speed;
        step_once(s, VOXEL{0.6, 0.6, 0.6}, 0);
        step_once(s, VOXEL{0.6, 0.6, 0.6}, 1);
        EXPECT_EQ(waits, c.waits) << "type " << c.type << " speed " << c.speed;
    }
}

TEST(Lorenz, IntegerZShiftBecomesTheDisplayedYWhenTurnedAboutX) {
    for (auto [res, shift] : {std::pair{600, 225}, std::pair{601, 225}, std::pair{608, 228}}) {
        State s = make_state(3, res);
        s.rot[3].x = 90;
        const Stepped r = step_once(s, VOXEL{0, 0, 0}, 0);
        EXPECT_EQ(r.x, res >> 1) << res;
        EXPECT_EQ(r.y, res - (-shift + (res >> 1)) - 1) << res;
    }
}

TEST(PointMaps, SignOfZero) {
    State s = make_state(12); // Hopalong: sign(0) is +1, z is left alone
    Stepped r = step_once(s, VOXEL{0, 0, 7}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, -std::sqrt(4.6));
    EXPECT_DOUBLE_EQ(r.v.y, 1.67);
    EXPECT_EQ(r.v.z, 7);
    s = make_state(29); // Wings: sign(0) is -1
    r = step_once(s, VOXEL{0, -0.25, 0}, 0);
    EXPECT_DOUBLE_EQ(r.v.x, 0.5);
    EXPECT_DOUBLE_EQ(r.v.y, -0.25);
}

TEST(Hpd, AngleIsReadAtTheStartOfARender) {
    State s = make_state(7);
    s.p[7].sp0 = 0;
    Stepped r = step_once(s, VOXEL{0.3, 0.2, 0}, 0);
    EXPECT_EQ(r.v.x, 0.3);
    EXPECT_EQ(r.v.y, 0.2 - 0.3 * 0.3);
    s.p[7].sp0 = 90;
    EXPECT_EQ(step_once(s, VOXEL{0.3, 0.2, 0}, 1).v.x, 0.3);
    r = step_once(s, VOXEL{0.3, 0.2, 0}, 0);
    EXPECT_NEAR(r.v.x, -(0.2 - 0.3 * 0.3), 1e-15);
    EXPECT_NEAR(r.v.y, 0.3, 1e-15);
}

// Both re-seed every 1000th call too, which the golden images show.
TEST(Hpd, ReseedsBeyondSquaredRadiusOneE16) {
    State s = make_state(7);
    step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    EXPECT_GT(std::fabs(step_once(s, VOXEL{1e8, 0, 0}, 1).v.y), 1e15); // not beyond
    EXPECT_LT(std::fabs(step_once(s, VOXEL{1.0000001e8, 0, 0}, 1).v.y), 3);
}

TEST(Feather, CarriedTermRestartsWithEveryRender) {
    State s = make_state(10);
    for (int run = 0; run < 2; ++run) {
        const Stepped r = step_once(s, VOXEL{3.0, 0.0, 0}, 0);
        EXPECT_DOUBLE_EQ(r.v.x, 1.224);
        EXPECT_DOUBLE_EQ(step_once(s, r.v, 1).v.x, 0.93 * r.v.y + 1.1876155228774916);
    }
}

TEST(Duffing, PhaseWrapsAfter628CallsAndRestartsWithARender) {
    State s = make_state(11);
    std::vector<double> forcing; // from the origin y' is h * 0.472627 * cos(phase)
    for (int call = 0; call < 629; ++call)
        forcing.push_back(step_once(s, VOXEL{0, 0, 0}, call == 0 ? 0 : 1).v.y);
    EXPECT_NEAR(forcing[627], 0.15915494309189535 * 0.472627 * std::cos(6.27), 1e-15);
    EXPECT_EQ(forcing[628], forcing[0]);
    step_once(s, VOXEL{0, 0, 0}, 1);
    EXPECT_EQ(step_once(s, VOXEL{0, 0, 0}, 0).v.y, forcing[0]);
}

TEST(Spirals, FoldsBeyondModulusTwoWithParametersFixedPerRun) {
    State s = make_state(36);
    s.p[36].sp0 = 0; // the map becomes (x^2 - y, x) before the fold
    s.p[36].sp1 = 1;
    EXPECT_EQ(step_once(s, VOXEL{0, -2, 0}, 0).v.x, 2); // exactly 2 passes
    const double beyond = std::nextafter(-2.0, -3.0);
    s.p[36].sp1 = 0.5; // not read until the next run
    const Stepped r = step_once(s, VOXEL{0, beyond, 0}, 1);
    EXPECT_EQ(r.v.x, -0.005 * -beyond);
    EXPECT_EQ(r.v.y, 0);
    EXPECT_DOUBLE_EQ(step_once(s, VOXEL{0.5, 0.1, 0}, 0).v.y, 0.25);
}

TEST(PointMaps, RunawayPointsLandOffTheCanvas) {
    const double nan = std::nan("");
    for (int type : {1, 3, 4, 5, 6, 10, 11, 12, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 37}) {
        State s = make_state(type);
        s.stormflag = 0;
        step_once(s, VOXEL{0.1, 0.1, 0.1}, 0);
        EXPECT_FALSE(on_canvas(s, step_once(s, VOXEL{nan, nan, nan}, 1))) << type;
        if ((type < 4 || type > 6) && type != 26) { // sine maps bound every point
            EXPECT_FALSE(on_canvas(s, step_once(s, VOXEL{1e300, -1e300, 1e300}, 1))) << type;
        }
    }
    State s = make_state(7); // hpd starts a fresh orbit instead
    step_once(s, VOXEL{0.1, 0.1, 0}, 0);
    EXPECT_TRUE(on_canvas(s, step_once(s, VOXEL{1e300, -1e300, 0}, 1)));
}

} // namespace
} // namespace morv::test

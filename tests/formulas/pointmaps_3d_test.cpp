#include "pointmaps_support.h"

#include "core/view.h"

#include <cmath>

namespace morv::test {
namespace {

TEST(Lorenz, CentrePixelAndUnscaledPoint) {
    State s = make_state(3, 600);
    Stepped r = step_once(s, VOXEL{0, 0, 0}, 0);
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.y, 299);
    EXPECT_DOUBLE_EQ(s.pointmaps.lorenz.res_over_70, 600.0 / 70);
    r = step_once(s, VOXEL{1, 0, 0}, 1);
    EXPECT_DOUBLE_EQ(r.v.x, 0.95);
    EXPECT_DOUBLE_EQ(r.v.y, 0.14);
    EXPECT_EQ(r.v.z, 0);
    EXPECT_EQ(r.x, 300 + 8); // 0.95 * 600/70 = 8.14
    EXPECT_EQ(r.y, 600 - (1 + 300) - 1);
    // The first call uses beta = 8/3 on z.
    r = step_once(s, VOXEL{0, 0, 3}, 1);
    EXPECT_DOUBLE_EQ(r.v.z, (0 - 2.6666666666666665 * 3) * 0.005 + 3);
}

TEST(Lorenz, ZShiftUsesTheIntegerEighthOfRes) {
    // Turned a quarter about X, the z shift becomes the displayed y.
    for (auto [res, row] :
         {std::pair{600, 600 - (-225 + 300) - 1}, std::pair{601, 601 - (-225 + 300) - 1},
          std::pair{608, 608 - (-228 + 304) - 1}}) {
        State s = make_state(3, res);
        s.rot[3].x = 90;
        const Stepped r = step_once(s, VOXEL{0, 0, 0}, 0);
        EXPECT_EQ(r.x, res >> 1) << res;
        EXPECT_EQ(r.y, row) << res;
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

TEST(SineMaps, FirstPointsFromTheDefaults) {
    struct Case {
        int type;
        VOXEL want;
    };
    for (const Case& c :
         {Case{4, {0.5013220692735235, -0.16847864239357535, 0.09983341664682815}},
          Case{5, {0.07062387237603995, -0.9810304647443978, 0.09983341664682815}},
          Case{6, {-0.8341232803611385, -0.7403282882970137, 0.09983341664682815}}}) {
        State s = make_state(c.type);
        const PARAM& p = s.p[c.type];
        const Stepped r = step_once(s, VOXEL{p.xstart, p.ystart, p.zstart}, 0);
        EXPECT_DOUBLE_EQ(r.v.x, c.want.x) << c.type;
        EXPECT_DOUBLE_EQ(r.v.y, c.want.y) << c.type;
        EXPECT_DOUBLE_EQ(r.v.z, c.want.z) << c.type;
        EXPECT_EQ(r.result, kPlot);
    }
}

TEST(SineMaps, SamePointWhateverIter) {
    for (int type : {4, 5, 6}) {
        State s = make_state(type);
        const VOXEL old{0.3, -0.4, 0.5};
        const Stepped a = step_once(s, old, 0), b = step_once(s, old, 9999);
        EXPECT_EQ(a.v.x, b.v.x);
        EXPECT_EQ(a.v.y, b.v.y);
        EXPECT_EQ(a.x, b.x);
    }
}

TEST(SineMaps, ShowTheTurnedPointButKeepTheUnturnedOne) {
    State s = make_state(6, 600);
    const VOXEL old{0.1, 0.1, 0};
    const Stepped plain = step_once(s, old, 0);
    s.rot[6].z = 90; // (x, y) -> (y, -x)
    const Stepped turned = step_once(s, old, 0);
    EXPECT_EQ(turned.v.x, plain.v.x);
    EXPECT_EQ(turned.v.y, plain.v.y);
    int wx, wy;
    map_to_pixel(s, plain.v.y, -plain.v.x, &wx, &wy);
    EXPECT_NEAR(turned.x, wx, 1);
    EXPECT_NEAR(turned.y, wy, 1);
}

TEST(PointMaps3d, RunawayPointsLandOffTheCanvas) {
    for (int type : {3, 4, 5, 6})
        expect_nan_lands_off_canvas(type);
    State s = make_state(3);
    s.rot[3] = VOXEL{10, 20, 30};
    step_once(s, VOXEL{0, 0, 0}, 0);
    EXPECT_FALSE(on_canvas(s, step_once(s, VOXEL{1e300, -1e300, 1e300}, 1)));
}

TEST(PointMaps3d, RendersStayPinned) {
    expect_pinned_renders({
        {3, 1, 5000, 0x548d07a433ad05c5},
        {3, 2, 5000, 0x864df70b367a8b31},
        {4, 1, 5000, 0x6e8bc193f8bd1c8e},
        {4, 3, 5000, 0x3c206eabae589a83},
        {4, 4, 5000, 0x1de96159b7971ac4},
        {5, 1, 5000, 0xecab67e31361e14},
        {5, 3, 5000, 0x3af50b80cd54fe65},
        {5, 4, 5000, 0x98d7eefa26411349},
        {6, 1, 5000, 0xe54ff3db35b586a4},
        {6, 3, 5000, 0x6b634cf1c00a40c3},
        {6, 4, 5000, 0x5b102b8bf343e97e},
    });
}

TEST(PointMaps3d, RotatedRendersStayPinned) {
    for (auto [type, checksum] : {std::pair{6, std::uint64_t{0xb300d3ad6be4ab86}},
                                  std::pair{3, std::uint64_t{0xd997af3ac1f7f74b}}}) {
        State s = make_state(type);
        s.rot[type] = VOXEL{30, 45, 60};
        s.rotationorder = 3;
        render(s, 5000);
        EXPECT_EQ(canvas_checksum(s), checksum) << type << ": 0x" << std::hex << canvas_checksum(s);
    }
}

} // namespace
} // namespace morv::test

#include "core/rotation.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morv {
namespace {

constexpr double kPi = 3.141592653589793;

struct Pair {
    double a, b;
};

Pair rotated_pair(double a, double b, double radians) {
    rotate(&a, &b, radians);
    return {a, b};
}

// The Cartesian form of rotate(), away from the axis where the two agree.
void cartesian(double& p1, double& p2, double degrees) {
    const double a = degrees * kPi / 180;
    const double n1 = p1 * std::cos(a) + p2 * std::sin(a);
    const double n2 = p2 * std::cos(a) - p1 * std::sin(a);
    p1 = n1;
    p2 = n2;
}

TEST(Rotate, TurnsThePairWithTheFirstCoordinateAsSineAxis) {
    const Pair r = rotated_pair(0, 1, kPi / 2);
    EXPECT_NEAR(r.a, 1, 1e-15);
    EXPECT_NEAR(r.b, 0, 1e-15);
    const Pair q = rotated_pair(3, 4, 0.5);
    EXPECT_NEAR(q.a, 3 * std::cos(0.5) + 4 * std::sin(0.5), 1e-14);
    EXPECT_NEAR(q.b, 4 * std::cos(0.5) - 3 * std::sin(0.5), 1e-14);
}

TEST(Rotate, NearTheAxisDropsTheTinyOrdinate) {
    Pair r = rotated_pair(1, 0, 0);
    EXPECT_NEAR(r.a, 1, 1e-15);
    EXPECT_NEAR(r.b, 0, 1e-15);
    r = rotated_pair(-2, 5e-7, 0);
    EXPECT_NEAR(r.a, -2, 1e-12);
    EXPECT_NEAR(r.b, 0, 1e-15);    // not 5e-7: the start angle was taken as 3/2 pi
    r = rotated_pair(-2, 1e-6, 0); // at the threshold the true angle is used
    EXPECT_NEAR(r.b, 1e-6, 1e-12);
    r = rotated_pair(0, 0, 1.0);
    EXPECT_EQ(r.a, 0);
    EXPECT_EQ(r.b, 0);
}

TEST(Rotate, NonFiniteInputStaysWellDefined) {
    const Pair r = rotated_pair(std::nan(""), 1, 1);
    EXPECT_TRUE(std::isnan(r.a));
    const Pair q = rotated_pair(INFINITY, 1, 1);
    EXPECT_FALSE(std::isfinite(q.a) && std::isfinite(q.b));
}

State state_with_angles(double x, double y, double z, int order) {
    State s;
    s.type = 6;
    s.rot[6] = VOXEL{x, y, z};
    s.rotationorder = order;
    return s;
}

TEST(Rotatexyz, AppliesTheThreeAxesInTheChosenOrder) {
    const char* orders[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
    const VOXEL angles{30, 50, 70};
    const VOXEL point{0.3, -0.7, 1.1};
    for (int order = 0; order < 6; ++order) {
        const State s = state_with_angles(angles.x, angles.y, angles.z, order);
        VOXEL got;
        EXPECT_EQ(rotatexyz(s, point, &got), 0);
        VOXEL want = point;
        for (const char* axis = orders[order]; *axis != 0; ++axis) {
            if (*axis == 'X') cartesian(want.y, want.z, angles.x);
            if (*axis == 'Y') cartesian(want.x, want.z, angles.y);
            if (*axis == 'Z') cartesian(want.x, want.y, angles.z);
        }
        EXPECT_NEAR(got.x, want.x, 1e-13) << orders[order];
        EXPECT_NEAR(got.y, want.y, 1e-13) << orders[order];
        EXPECT_NEAR(got.z, want.z, 1e-13) << orders[order];
    }
}

TEST(Rotatexyz, OrdersBeyondFiveActAsZyx) {
    const VOXEL point{0.3, -0.7, 1.1};
    VOXEL zyx, other;
    rotatexyz(state_with_angles(10, 20, 30, 5), point, &zyx);
    for (int order : {6, -1, 99}) {
        rotatexyz(state_with_angles(10, 20, 30, order), point, &other);
        EXPECT_EQ(other.x, zyx.x);
        EXPECT_EQ(other.y, zyx.y);
        EXPECT_EQ(other.z, zyx.z);
    }
}

TEST(Rotatexyz, AxesWithAngleZeroAreSkipped) {
    // Turning by 0 would still drop the tiny ordinate; a skipped axis keeps it.
    const VOXEL point{-2, 5e-7, 5e-7};
    VOXEL got;
    rotatexyz(state_with_angles(0, 0, 0, 0), point, &got);
    EXPECT_EQ(got.x, point.x);
    EXPECT_EQ(got.y, point.y);
    EXPECT_EQ(got.z, point.z);
    // Only X turns: x is untouched, (y, z) goes round.
    rotatexyz(state_with_angles(90, 0, 0, 0), VOXEL{-2, 0, 1}, &got);
    EXPECT_EQ(got.x, -2);
    EXPECT_NEAR(got.y, 1, 1e-15);
    EXPECT_NEAR(got.z, 0, 1e-15);
}

TEST(Rotatexyz, RosslerStartAnglesTurnAboutXThenY) {
    State s;
    s.type = 21;
    VOXEL got;
    rotatexyz(s, VOXEL{1, 2, 3}, &got);
    VOXEL want{1, 2, 3};
    cartesian(want.y, want.z, 75);
    cartesian(want.x, want.z, 350);
    EXPECT_NEAR(got.x, want.x, 1e-13);
    EXPECT_NEAR(got.y, want.y, 1e-13);
    EXPECT_NEAR(got.z, want.z, 1e-13);
}

TEST(Rotatexyz, RotatedReportsAnyNonZeroAngle) {
    EXPECT_FALSE(rotated(state_with_angles(0, 0, 0, 0)));
    EXPECT_TRUE(rotated(state_with_angles(0, 0, 1e-300, 0)));
    EXPECT_TRUE(rotated(state_with_angles(-0.0 + 360, 0, 0, 0)));
}

} // namespace
} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rotation.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace morv {
namespace {

constexpr double kPi = 3.141592653589793;

// The Cartesian form of rotate(), which agrees with it away from the axis.
void cartesian(double& p1, double& p2, double degrees) {
    const double a = degrees * kPi / 180;
    const double n1 = p1 * std::cos(a) + p2 * std::sin(a);
    p2 = p2 * std::cos(a) - p1 * std::sin(a);
    p1 = n1;
}

TEST(Rotate, PolarFormDropsOrdinatesBelowTheThreshold) {
    struct Case {
        double p1, p2, radians, want1, want2;
    };
    for (const Case& c : {Case{0, 1, kPi / 2, 1, 0}, Case{1, 0, 0, 1, 0},
                          Case{-2, 5e-7, 0, -2, 0}, // start taken as 3/2 pi
                          Case{-2, 1e-6, 0, -2, 1e-6}, Case{0, 0, 1, 0, 0},
                          Case{3, 4, 0.5, 3 * std::cos(0.5) + 4 * std::sin(0.5),
                               4 * std::cos(0.5) - 3 * std::sin(0.5)}}) {
        double p1 = c.p1, p2 = c.p2;
        EXPECT_EQ(rotate(&p1, &p2, c.radians), 0);
        EXPECT_NEAR(p1, c.want1, 1e-12) << c.p1 << ", " << c.p2;
        EXPECT_NEAR(p2, c.want2, 1e-15 + 1e-9 * std::fabs(c.want2)) << c.p1 << ", " << c.p2;
    }
}

// Turns p about the axes of a rotation order in sequence (6 and 7 act as 5)
// with turn(p1, p2, degrees).
template <class Turn> Point3 in_order(int order, Point3 deg, Point3 p, Turn turn) {
    const char* const orders[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX", "ZYX", "ZYX"};
    for (const char* axis = orders[order]; *axis != 0; ++axis) {
        if (*axis == 'X') turn(p.y, p.z, deg.x);
        if (*axis == 'Y') turn(p.x, p.z, deg.y);
        if (*axis == 'Z') turn(p.x, p.y, deg.z);
    }
    return p;
}

TEST(Rotatexyz, TurnsTheAxesInTheChosenOrderAsTheCartesianForm) {
    const Point3 deg{30, 50, 70}, point{0.3, -0.7, 1.1};
    State s;
    s.type = 6;
    s.rot[6] = deg;
    for (int order = 0; order < 8; ++order) {
        s.rotationorder = order;
        Point3 got;
        EXPECT_EQ(rotatexyz(s, point, &got), 0);
        const Point3 want = in_order(order, deg, point, cartesian);
        EXPECT_NEAR(got.x, want.x, 1e-13) << order;
        EXPECT_NEAR(got.y, want.y, 1e-13) << order;
        EXPECT_NEAR(got.z, want.z, 1e-13) << order;
    }
}

// Axes whose angle is exactly zero are skipped: turning by 0 would still drop
// tiny ordinates. The cached plan turns points bit for bit as rotatexyz.
TEST(RotationPlan, SkipsZeroAnglesAndTurnsPointsBitForBitAsRotatexyz) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Point3 angles[] = {
        {30, 50, 70}, {0, 0, 1e-300}, {nan, 0, 10}, {0, 0, 0}, {-90, 180, 360}};
    const Point3 points[] = {{0.3, -0.7, 1.1}, {-2, 5e-7, 5e-7}, {0, 0, 0}, {1e300, -1e-300, 3}};
    State s;
    s.type = 6;
    EXPECT_FALSE(rotated(s));
    RotationPlan cache; // kept across angle and order changes, as a render keeps it
    for (int order = 0; order < 8; ++order)
        for (const Point3& deg : angles) {
            s.rotationorder = order;
            s.rot[6] = deg;
            EXPECT_EQ(rotated(s), deg.x != 0 || deg.y != 0 || deg.z != 0);
            for (const Point3& p : points) {
                Point3 want, got = p;
                rotatexyz(s, p, &want);
                apply_rotation(current_rotation(s, cache), got);
                EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0)
                    << order << " " << deg.x << " " << p.x;
                // The reference: the polar turns one by one in the order's sequence.
                const Point3 ref = in_order(order, deg, p, [](double& p1, double& p2, double d) {
                    if (d != 0)
                        rotate(&p1, &p2,
                               static_cast<double>(static_cast<long double>(kPi) * d *
                                                   (1.0L / 180.0L)));
                });
                EXPECT_EQ(std::memcmp(&ref, &want, sizeof ref), 0) << order << " " << deg.x;
            }
        }
}

} // namespace
} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rotation.h"

#include "core/numeric.h"
#include "core/params.h"

#include <cmath>

namespace morv {

namespace {

constexpr double kThreeHalfPi = 4.71238898038469;

// The double pi, widened: the product and the division run in extended
// precision, the angle reaches rotate() as a double.
double to_radians(double degrees) {
    return static_cast<double>(static_cast<long double>(kPi) * static_cast<long double>(degrees) *
                               (1.0L / 180.0L));
}

// A turn about one axis: the angle it takes and the plane it turns.
struct AxisTurn {
    double Point3::*angle;
    double Point3::*sine_axis;
    double Point3::*cosine_axis;
};

constexpr AxisTurn kAxes[3] = {{&Point3::x, &Point3::y, &Point3::z},
                               {&Point3::y, &Point3::x, &Point3::z},
                               {&Point3::z, &Point3::x, &Point3::y}};

// For each rotation order, the axes (0 x, 1 y, 2 z) in the order they turn.
constexpr int kAxisOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                   {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

} // namespace

int rotate(double* pos1, double* pos2, double radians_user) {
    const double modulus =
        static_cast<double>(std::sqrt(static_cast<long double>(*pos1 * *pos1 + *pos2 * *pos2)));
    double start;
    // Near the axis the angle is taken as exactly a quarter or three quarters
    // turn: the tiny ordinate is dropped.
    if (std::fabs(*pos2) < 1e-6)
        start = *pos1 >= 0 ? kHalfPi : kThreeHalfPi;
    else
        start = std::atan2(*pos1, *pos2);
    if (start < 0) start += kTwoPi;
    double finish = start + radians_user;
    if (finish > kTwoPi) finish -= kTwoPi;
    *pos1 = std::sin(finish) * modulus;
    *pos2 = std::cos(finish) * modulus;
    return 0;
}

RotationPlan plan_rotation(Point3 degrees, int order) {
    RotationPlan plan;
    plan.degrees = degrees;
    plan.order = order;
    // Orders beyond the five named ones turn about z, then y, then x.
    for (const int axis : kAxisOrders[order >= 0 && order < 5 ? order : 5]) {
        const AxisTurn& a = kAxes[axis];
        const double deg = degrees.*a.angle;
        if (deg != 0) plan.turn[plan.turns++] = {a.sine_axis, a.cosine_axis, to_radians(deg)};
    }
    return plan;
}

void apply_rotation(const RotationPlan& plan, Point3& point) {
    for (int i = 0; i < plan.turns; ++i) {
        const RotationPlan::Turn& t = plan.turn[i];
        rotate(&(point.*t.sine_axis), &(point.*t.cosine_axis), t.radians);
    }
}

const RotationPlan& current_rotation(const Params& ps, RotationPlan& cache) {
    const Point3& deg = ps.rot[ps.type];
    if (deg.x != cache.degrees.x || deg.y != cache.degrees.y || deg.z != cache.degrees.z ||
        ps.rotationorder != cache.order)
        cache = plan_rotation(deg, ps.rotationorder);
    return cache;
}

int rotatexyz(const Params& ps, Point3 xyz, Point3* xyzrotate) {
    *xyzrotate = xyz;
    apply_rotation(plan_rotation(ps.rot[ps.type], ps.rotationorder), *xyzrotate);
    return 0;
}

} // namespace morv

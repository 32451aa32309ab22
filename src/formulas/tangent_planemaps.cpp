// SPDX-License-Identifier: GPL-3.0-or-later
// The plane maps as differentiable maps, each beside its hand-worked
// Jacobian. Where a map takes |u| or a sign, it is differentiated piece by
// piece: the sign is constant on either side of its switch and |u| has slope
// +-1 there; orbits cross the switches without landing on them.
#include "core/numeric.h"
#include "core/params.h"
#include "formulas/inline_steps.h"
#include "formulas/tangent_models.h"

#include <algorithm>
#include <cmath>

namespace morv::tangent {

namespace {

const TypeParams& coefficients(const Params& ps) {
    return ps.p[ps.type];
}

} // namespace

Point3 iris_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::iris_point(coefficients(ps), v, &next);
    return next;
}
Jacobian iris_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return plane(p.sp0 * std::cos(v.x), -p.sp1 * std::sin(v.y), -p.sp0 * std::sin(v.x),
                 p.sp1 * std::cos(v.y));
}

Point3 atom_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::atom_point(coefficients(ps), v, &next);
    return next;
}
Jacobian atom_jacobian(const Params& ps, Point3 v) {
    const double k4 = 4 * coefficients(ps).sp0;
    return plane(std::sin(v.y), v.x * std::cos(v.y) - k4 * std::sin(v.y), -v.y * std::sin(v.x),
                 std::cos(v.x) + k4 * std::cos(v.y));
}

// The sign is -1 at x = 0; the square root's infinite slope at the zero of
// y - sp1 x is replaced by the nearest double.
Point3 wings_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double sign = v.x > 0 ? 1.0 : -1.0;
    return Point3{v.x - sign * std::sqrt(std::fabs(v.y - p.sp1 * v.x)), p.sp0 * v.x + v.y, v.z};
}
Jacobian wings_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double sign = v.x > 0 ? 1.0 : -1.0;
    const double q = v.y - p.sp1 * v.x;
    const double slope = sign * abs_slope(q) / (2 * std::max(std::sqrt(std::fabs(q)), 1e-300));
    return plane(1.0 + slope * p.sp1, -slope, p.sp0, 1.0);
}

constexpr double kMedusaP1 = -0.438016, kMedusaP2 = 0.819984, kMedusaP3 = -0.381065;
Point3 medusa_map(const Params&, Point3 v) {
    const double x = v.x, y = v.y;
    return Point3{kMedusaP1 * x + y - kMedusaP2 * (x * x), kMedusaP3 * y - x + kMedusaP2 * (y * y),
                  v.z};
}
Jacobian medusa_jacobian(const Params&, Point3 v) {
    return plane(kMedusaP1 - 2 * kMedusaP2 * v.x, 1.0, -1.0, kMedusaP3 + 2 * kMedusaP2 * v.y);
}

Point3 disk_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double x = v.x, y = v.y, xy = x * y;
    const double c = std::cos(xy), sn = std::sin(xy);
    return Point3{p.sp0 + p.sp1 * (x * c - y * sn), p.sp1 * (x * sn + y * c), v.z};
}
Jacobian disk_jacobian(const Params& ps, Point3 v) {
    const double s1 = coefficients(ps).sp1;
    const double x = v.x, y = v.y, xy = x * y;
    const double c = std::cos(xy), sn = std::sin(xy);
    // The turn by xy radians moves with x (by y) and with y (by x).
    const double turned_x = x * c - y * sn, turned_y = x * sn + y * c;
    return plane(s1 * (c - y * turned_y), s1 * (-sn - x * turned_y), s1 * (sn + y * turned_x),
                 s1 * (c + x * turned_x));
}

Point3 star_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double x = v.x, y = v.y, ax = std::fabs(x), ay = std::fabs(y);
    return Point3{4 * (p.a * x + p.b * x * (ax + ay) + p.c * x * (ax - ay)),
                  4 * (p.a * y + p.b * y * (ax + ay) + p.c * y * (ay - ax)), v.z};
}
Jacobian star_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double ax = std::fabs(v.x), ay = std::fabs(v.y);
    return plane(4 * (p.a + p.b * (2 * ax + ay) + p.c * (2 * ax - ay)),
                 4 * v.x * abs_slope(v.y) * (p.b - p.c), 4 * v.y * abs_slope(v.x) * (p.b - p.c),
                 4 * (p.a + p.b * (ax + 2 * ay) + p.c * (2 * ay - ax)));
}

// Images beyond modulus 2 are folded back by -0.005: a map in two pieces,
// discontinuous on the circle, each piece differentiated on its own.
namespace {
struct SpiralTurn {
    double p3, p4;
};
SpiralTurn spiral_turn(const Params& ps) {
    const TypeParams& p = coefficients(ps);
    return {p.sp1 * std::sin(kTwoPi * p.sp0), p.sp1 * std::cos(kTwoPi * p.sp0)};
}
constexpr double kSpiralFold = -0.005;
bool spiral_folds(double nx, double ny) {
    return std::sqrt(nx * nx + ny * ny) > 2.0;
}
} // namespace

Point3 spirals_map(const Params& ps, Point3 v) {
    const SpiralTurn t = spiral_turn(ps);
    const double w = v.x * v.x - v.y;
    double nx = v.x * t.p3 + w * t.p4;
    double ny = v.x * t.p4 - w * t.p3;
    if (spiral_folds(nx, ny)) {
        nx = kSpiralFold * nx;
        ny = kSpiralFold * ny;
    }
    return Point3{nx, ny, v.z};
}
Jacobian spirals_jacobian(const Params& ps, Point3 v) {
    const SpiralTurn t = spiral_turn(ps);
    const double w = v.x * v.x - v.y;
    const double k = spiral_folds(v.x * t.p3 + w * t.p4, v.x * t.p4 - w * t.p3) ? kSpiralFold : 1.0;
    return plane(k * (t.p3 + 2 * v.x * t.p4), -k * t.p4, k * (t.p4 - 2 * v.x * t.p3), k * t.p3);
}

Point3 cosinewaves_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return Point3{v.y - p.sp0 * std::cos(kPi * v.x), p.sp1 * v.x, v.z};
}
Jacobian cosinewaves_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return plane(p.sp0 * kPi * std::sin(kPi * v.x), 1.0, p.sp1, 0.0);
}

} // namespace morv::tangent

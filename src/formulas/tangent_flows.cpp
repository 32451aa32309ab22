// SPDX-License-Identifier: GPL-3.0-or-later
// The three-dimensional maps and the flows integrated by fixed Euler steps.
// A flow's Euler step x + dt f(x) has the Jacobian I + dt Df(x); its
// exponents per step divided by dt approach the flow's as dt goes to 0.
#include "core/numeric.h"
#include "core/params.h"
#include "formulas/inline_steps.h"
#include "formulas/tangent_models.h"

#include <cmath>

namespace morv::tangent {

namespace {

// I + dt D, D given row by row.
Jacobian euler(double dt, const Jacobian& d) {
    Jacobian j{};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            j[r][c] = (r == c ? 1.0 : 0.0) + dt * d[r][c];
    return j;
}

} // namespace

// Pickover's map, where z feeds back: a map of space.
Point3 pickover_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::pickover3d_point(ps.p[ps.type], v, &next);
    return next;
}
Jacobian pickover_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = ps.p[ps.type];
    return Jacobian{
        {{v.z * p.b * std::sin(p.b * v.x), p.a * std::cos(p.a * v.y), -std::cos(p.b * v.x)},
         {v.z * p.c * std::cos(p.c * v.x), p.d * std::sin(p.d * v.y), std::sin(p.c * v.x)},
         {std::cos(v.x), 0.0, 0.0}}};
}

// sigma 10, rho 28, beta 8/3, dt 0.005 as in the step.
constexpr double kLorenzDt = 0.005, kLorenzBeta = 2.6666666666666665;
Point3 lorenz_map(const Params&, Point3 v) {
    const double x = v.x, y = v.y, z = v.z;
    return Point3{((y - x) * 10) * kLorenzDt + x, ((28 - z) * x - y) * kLorenzDt + y,
                  (x * y - kLorenzBeta * z) * kLorenzDt + z};
}
Point3 lorenz_field(const Params&, Point3 v) {
    return Point3{(v.y - v.x) * 10, (28 - v.z) * v.x - v.y, v.x * v.y - kLorenzBeta * v.z};
}
Jacobian lorenz_field_jacobian(const Params&, Point3 v) {
    return Jacobian{{{-10.0, 10.0, 0.0}, {28 - v.z, -1.0, -v.x}, {v.y, v.x, -kLorenzBeta}}};
}
Jacobian lorenz_jacobian(const Params& ps, Point3 v) {
    return euler(kLorenzDt, lorenz_field_jacobian(ps, v));
}

// a = b = 0.2, dt 0.005; c is 5.4 in the plain projection and 5.7 over the
// painted stage, as the step chooses.
constexpr double kRosslerDt = 0.005, kRosslerA = 0.2, kRosslerB = 0.2;
double rossler_c(const Params& ps) {
    return ps.rosslerflag == 0 ? 5.4 : 5.7;
}
Point3 rossler_map(const Params& ps, Point3 o) {
    const double h = kRosslerDt, c = rossler_c(ps);
    return Point3{o.x + h * (-o.y - o.z), o.y + h * (o.x + kRosslerA * o.y),
                  o.z + h * (kRosslerB + o.x * o.z - c * o.z)};
}
Point3 rossler_field(const Params& ps, Point3 o) {
    return Point3{-o.y - o.z, o.x + kRosslerA * o.y, kRosslerB + o.x * o.z - rossler_c(ps) * o.z};
}
Jacobian rossler_field_jacobian(const Params& ps, Point3 v) {
    return Jacobian{{{0.0, -1.0, -1.0}, {1.0, kRosslerA, 0.0}, {v.z, 0.0, v.x - rossler_c(ps)}}};
}
Jacobian rossler_jacobian(const Params& ps, Point3 v) {
    return euler(kRosslerDt, rossler_field_jacobian(ps, v));
}

// State (x, y, e), where e is the third variable the step carries between
// runs (-0.6 before the first). Steps of 0.05 in x and y; e moves by
// 0.01 d x, which is dt 0.05 times 0.2 d x.
constexpr double kSa = -0.6, kSb = 1.2, kSc = 0.2, kSd = -0.6;
Point3 samardzija_start(const Params&) {
    return Point3{0.06, 0.09, -0.6};
}
Point3 samardzija_map(const Params&, Point3 v) {
    const double x0 = v.x, y0 = v.y;
    return Point3{x0 + 0.05 * (kSa * x0 + kSb * y0 - v.z),
                  y0 + 0.05 * (x0 + kSc * y0 - x0 * x0 * x0), v.z + 0.01 * kSd * x0};
}
Jacobian samardzija_jacobian(const Params&, Point3 v) {
    return Jacobian{{{1 + 0.05 * kSa, 0.05 * kSb, -0.05},
                     {0.05 * (1 - 3 * v.x * v.x), 1 + 0.05 * kSc, 0.0},
                     {0.01 * kSd, 0.0, 1.0}}};
}

// The forced Duffing oscillator: (x, y) by Euler steps of 1/(2 pi); z counts
// the forcing phase 0..627 as the step's counter does and is not
// differentiated (the forcing is a clock, not a state).
constexpr long double kDuffingH = 0.159154943091895335768883763372514362L;
Point3 duffing_start(const Params& ps) {
    const TypeParams& p = ps.p[ps.type];
    return Point3{p.xstart, p.ystart, 0.0};
}
Point3 duffing_map(const Params&, Point3 v) {
    const double b = 0.01 * v.z;
    const double x = v.x, y = v.y;
    const double phase = v.z + 1 > 627 ? 0.0 : v.z + 1;
    return Point3{static_cast<double>(x + kDuffingH * y),
                  static_cast<double>(
                      y + kDuffingH * (x - x * x * x - 0.293517 * y + 0.472627 * std::cos(b))),
                  phase};
}
Jacobian duffing_jacobian(const Params&, Point3 v) {
    const double h = static_cast<double>(kDuffingH);
    return plane(1.0, h, h * (1 - 3 * v.x * v.x), 1 - 0.293517 * h);
}

} // namespace morv::tangent

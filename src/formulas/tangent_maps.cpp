// SPDX-License-Identifier: GPL-3.0-or-later
// The two-dimensional point maps as differentiable maps. Each map repeats its
// step's formula without the drawing (the tests hold the two together); the
// Jacobian beside it is worked out by hand.
#include "core/numeric.h"
#include "core/params.h"
#include "core/settings.h"
#include "formulas/inline_steps.h"
#include "formulas/tangent_models.h"

#include <algorithm>
#include <cmath>

namespace morv::tangent {

namespace {

const TypeParams& coefficients(const Params& ps) {
    return ps.p[ps.type];
}

// Feather's nonlinear term w = a x + 2.96 x^2 / (1 + x^2) and its slope.
constexpr double kFeatherC = 2.96;
double feather_w(double a, double x) {
    const double u = x * x;
    return a * x + kFeatherC * u / (1 + u);
}
double feather_w_slope(double a, double x) {
    const double d = 1 + x * x;
    return a + kFeatherC * 2 * x / (d * d);
}

} // namespace

Point3 start_point(const Params& ps) {
    const TypeParams& p = coefficients(ps);
    return Point3{p.xstart, p.ystart, p.zstart};
}

Point3 henon_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::henon_point(coefficients(ps), v, &next);
    return next;
}
Jacobian henon_jacobian(const Params&, Point3 v) {
    return plane(-2.8 * v.x, 1.0, 0.3, 0.0);
}

// rho 1, c1 0.4, c2 (u) 0.9, c3 6 as in the step.
constexpr double kIkedaC1 = 0.4, kIkedaU = 0.9, kIkedaC3 = 6.0;
Point3 ikeda_map(const Params&, Point3 v) {
    const double x = v.x, y = v.y;
    const double t = kIkedaC1 - kIkedaC3 / (1.0 + x * x + y * y);
    const double cost = std::cos(t), sint = std::sin(t);
    return Point3{1.0 + kIkedaU * (x * cost - y * sint), kIkedaU * (x * sint + y * cost), v.z};
}
Jacobian ikeda_jacobian(const Params&, Point3 v) {
    const double x = v.x, y = v.y, d = 1.0 + x * x + y * y;
    const double t = kIkedaC1 - kIkedaC3 / d;
    const double cost = std::cos(t), sint = std::sin(t);
    const double tx = kIkedaC3 * 2 * x / (d * d), ty = kIkedaC3 * 2 * y / (d * d);
    const double turned_y = x * sint + y * cost, turned_x = x * cost - y * sint;
    return plane(kIkedaU * (cost - turned_y * tx), kIkedaU * (-sint - turned_y * ty),
                 kIkedaU * (sint + turned_x * tx), kIkedaU * (cost + turned_x * ty));
}

// Ganymede and de Jong: z is a sine of the previous x and never feeds back,
// so the tangent space is the plane.
Point3 ganymede_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::ganymede_point(coefficients(ps), v, &next);
    return next;
}
Jacobian ganymede_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return plane(p.c * p.b * std::cos(p.b * v.x), p.b * std::cos(p.b * v.y),
                 p.a * std::cos(p.a * v.x), p.d * p.a * std::cos(p.a * v.y));
}

Point3 dejong_map(const Params& ps, Point3 v) {
    Point3 next = v;
    inline_steps::dejong_point(coefficients(ps), v, &next);
    return next;
}
Jacobian dejong_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return plane(p.b * std::sin(p.b * v.x), p.a * std::cos(p.a * v.y), p.c * std::cos(p.c * v.x),
                 p.d * std::sin(p.d * v.y));
}

// One orbit of the phase diagram's map, without the fresh starts that make
// the picture a portrait of many.
Point3 hpd_map(const Params& ps, Point3 v) {
    const double rad = (kPi * coefficients(ps).sp0) * (1.0 / 180.0);
    const double cosa = std::cos(rad), sina = std::sin(rad);
    const double yminusx2 = v.y - v.x * v.x;
    return Point3{v.x * cosa - yminusx2 * sina, v.x * sina + yminusx2 * cosa, v.z};
}
Jacobian hpd_jacobian(const Params& ps, Point3 v) {
    const double rad = (kPi * coefficients(ps).sp0) * (1.0 / 180.0);
    const double cosa = std::cos(rad), sina = std::sin(rad);
    return plane(cosa + 2 * v.x * sina, -sina, sina - 2 * v.x * cosa, cosa);
}

// Feather keeps w = w(x) of the newest x between calls; after the first call
// the map is x' = b y + w(x), y' = w(x') - x on the plane alone. Its fresh
// random starts every 1000 calls are left out.
Point3 feather_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double x = p.b * v.y + feather_w(p.a, v.x);
    return Point3{x, feather_w(p.a, x) - v.x, v.z};
}
Jacobian feather_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double x = p.b * v.y + feather_w(p.a, v.x);
    const double w0 = feather_w_slope(p.a, v.x), w1 = feather_w_slope(p.a, x);
    return plane(w0, p.b, w1 * w0 - 1, w1 * p.b);
}

// The sign of x is constant on either side of 0 (slope 0); |b x - c| has
// slope +-b on either side of its zero, where the square root's slope is
// infinite and the nearest double to it stands in.
Point3 hopalong_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double sign = v.x == 0.0 ? 1.0 : v.x / std::fabs(v.x);
    return Point3{v.y - sign * std::sqrt(std::fabs(p.b * v.x - p.c)), p.a - v.x, v.z};
}
Jacobian hopalong_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double sign = v.x == 0.0 ? 1.0 : v.x / std::fabs(v.x);
    const double q = p.b * v.x - p.c;
    const double root = std::max(std::sqrt(std::fabs(q)), 1e-300);
    return plane(-sign * abs_slope(q) * p.b / (2 * root), 1.0, -1.0, 0.0);
}

// The picture applies the map once to every grid point; iterated from the
// start point it is Pickover's popcorn map with step h = sp0.
Point3 popcorn_map(const Params& ps, Point3 v) {
    const double h = coefficients(ps).sp0;
    return Point3{v.x - h * std::sin(v.y + std::tan(3 * v.y)),
                  v.y - h * std::sin(v.x + std::tan(3 * v.x)), v.z};
}
Jacobian popcorn_jacobian(const Params& ps, Point3 v) {
    const double h = coefficients(ps).sp0;
    const auto slope = [h](double u) {
        const double c3 = std::cos(3 * u);
        return -h * std::cos(u + std::tan(3 * u)) * (1 + 3 / (c3 * c3));
    };
    return plane(1.0, slope(v.y), slope(v.x), 1.0);
}

// The Gingerbread Man x' = 1 - y + |x| + F(x, y), y' = x, with the chosen
// formula's small perturbation F. Formulas 5 and 6 replace an exact zero by
// 1e-06 first, as the step does.
namespace {

int pgm_index(const Params& ps) {
    return setting_named("pgmindex").limits.hold(ps.pgmindex);
}

double pgm_perturbation(int index, double& x, double& y) {
    switch (index) {
    case 1:
        return std::tan(y) * -2e-06;
    case 2:
        return std::cos(std::fabs(x) * y) * 0.0001;
    case 3:
        return std::cos(std::fabs(y)) * 0.0001 * std::sin(std::fabs(x));
    case 4:
        return std::sin(std::fabs(x)) * 1e-05 / std::cos(std::fabs(y));
    case 5:
        if (y == 0.0) y = 1e-06;
        return std::cos(std::fabs(y)) * 5e-06 / std::sin(std::fabs(y));
    case 6:
        if (x == 0.0) x = 1e-06;
        return std::cos(std::fabs(y)) * 5e-05 / std::sin(std::fabs(x));
    case 7:
        return std::cos(std::fabs(y)) * 1e-05 / std::cos(std::fabs(x));
    default:
        return 0;
    }
}

struct Slopes {
    double x, y;
};

// dF/dx and dF/dy; |u| is differentiated as abs_slope(u) u'.
Slopes pgm_perturbation_slopes(int index, double x, double y) {
    const double ax = std::fabs(x), ay = std::fabs(y), sx = abs_slope(x), sy = abs_slope(y);
    switch (index) {
    case 1: {
        const double c = std::cos(y);
        return {0.0, -2e-06 / (c * c)};
    }
    case 2:
        return {-0.0001 * std::sin(ax * y) * y * sx, -0.0001 * std::sin(ax * y) * ax};
    case 3:
        return {0.0001 * std::cos(ay) * std::cos(ax) * sx,
                -0.0001 * std::sin(ay) * sy * std::sin(ax)};
    case 4: {
        const double c = std::cos(ay);
        return {1e-05 * std::cos(ax) * sx / c, 1e-05 * std::sin(ax) * std::sin(ay) * sy / (c * c)};
    }
    case 5: {
        const double s = std::sin(ay);
        return {0.0, -5e-06 * sy / (s * s)};
    }
    case 6: {
        const double s = std::sin(ax);
        return {-5e-05 * std::cos(ay) * std::cos(ax) * sx / (s * s),
                -5e-05 * std::sin(ay) * sy / s};
    }
    case 7: {
        const double c = std::cos(ax);
        return {1e-05 * std::cos(ay) * std::sin(ax) * sx / (c * c), -1e-05 * std::sin(ay) * sy / c};
    }
    default:
        return {0.0, 0.0};
    }
}

} // namespace

Point3 pgm_start(const Params& ps) {
    const int index = pgm_index(ps);
    return Point3{ps.pgmx0[static_cast<std::size_t>(index)],
                  ps.pgmy0[static_cast<std::size_t>(index)], 0.0};
}
Point3 pgm_map(const Params& ps, Point3 v) {
    double x = v.x, y = v.y;
    const double f = pgm_perturbation(pgm_index(ps), x, y);
    return Point3{(1 - y) + std::fabs(x) + f, x, v.z};
}
Jacobian pgm_jacobian(const Params& ps, Point3 v) {
    const Slopes f = pgm_perturbation_slopes(pgm_index(ps), v.x, v.y);
    return plane(abs_slope(v.x) + f.x, -1.0 + f.y, 1.0, 0.0);
}

// Frothy Basin's finite attractor: z^2 - (a + bi) conj(z).
Point3 basin_map(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    const double x = v.x, y = v.y;
    return Point3{(x + y) * (x - y) - p.a * x - p.b * y, 2 * x * y - p.b * x + p.a * y, v.z};
}
Jacobian basin_jacobian(const Params& ps, Point3 v) {
    const TypeParams& p = coefficients(ps);
    return plane(2 * v.x - p.a, -2 * v.y - p.b, 2 * v.y - p.b, 2 * v.x + p.a);
}
const char* basin_refusal(const Params& ps) {
    return ps.basinflag == 0 ? "as an escape-time picture it scans the plane and follows no "
                               "single orbit (choose its finite attractor)"
                             : nullptr;
}

} // namespace morv::tangent

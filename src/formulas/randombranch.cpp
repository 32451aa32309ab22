// SPDX-License-Identifier: GPL-3.0-or-later
// Maps that choose one of two branches at random on every step, like an
// iterated function system.
#include "core/numeric.h"
#include "core/view.h"
#include "formulas/steps.h"

#include <algorithm>
#include <cmath>

namespace morv {

namespace {

// Two draws, heads when the first is larger; ties count as tails.
bool coin(RenderContext& rc) {
    const int r1 = rc.rand();
    const int r2 = rc.rand();
    return r1 > r2;
}

// A square root of a value that is mathematically never negative. u + r can
// come out below 0 only when u * u underflows; 0 keeps the orbit alive there
// instead of turning it into NaN for good.
double sqrt_nonneg(double v) {
    return std::sqrt(std::max(v, 0.0));
}

} // namespace

// The Ikeda map (3 times in 11) mixed with a fixed rotation and shift.
int ikedaifs(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int, int* xpos,
             int* ypos) {
    constexpr double p1 = 0.242695, p2 = 0.538835, p9 = 0.292347, p10 = -0.715191, p11 = 0.404434,
                     p12 = 0.178096;
    const double x = old.x, y = old.y;
    if (rc.lrand() % 11 > 7) {
        const double t = p1 - 6.0 / (1 + x * x + y * y);
        const double cost = std::cos(t), sint = std::sin(t);
        next->x = 1 + p2 * (x * cost - y * sint);
        next->y = p2 * (x * sint + y * cost);
    } else {
        next->x = p10 * x + p9 * y + p11;
        next->y = -p9 * x + p10 * y + p12;
    }
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The backward map of z^2 + c with c = a + bi or c + di at random: one of the
// two complex square roots of z - c, also at random. The run after the type
// was chosen starts from one of the catalogue's start sets (take_start_set).
int stormjulia(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int, int* xpos,
               int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    double u, v;
    if (coin(rc)) {
        u = old.x - p.a;
        v = old.y - p.b;
    } else {
        u = old.x - p.c;
        v = old.y - p.d;
    }
    const double r = std::sqrt(u * u + v * v);
    double nx = sqrt_nonneg((u + r) * 0.5);
    double ny = sqrt_nonneg((r - u) * 0.5);
    if (v < 0) ny = -ny;
    if (coin(rc)) {
        nx = -nx;
        ny = -ny;
    }
    next->x = nx;
    next->y = ny;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// Like Storm Julia with one constant (sp0 + sp1 i), but the modulus of z - c
// is raised to the power 3/4 instead of 1/2.
int frostjulia(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int, int* xpos,
               int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    const double u = old.x - p.sp0, v = old.y - p.sp1;
    double theta;
    if (u > 0)
        theta = std::atan(v / u);
    else if (u < 0)
        theta = std::atan(v / u) + kPi;
    else
        theta = kHalfPi;
    theta = 0.5 * theta;
    const double q = u * u + v * v;
    double m = std::sqrt(std::sqrt(std::sqrt(q * q * q)));
    if (coin(rc)) m = -m;
    next->x = m * std::cos(theta);
    next->y = m * std::sin(theta);
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// The plain two-dimensional maps: one point per call, plotted by the driver.
#include "core/numeric.h"
#include "core/view.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

// Orbits that re-seed do so every 1000 calls; the counter restarts just short
// of the 32-bit limit.
constexpr std::uint32_t kIterationsWrap = 4294967000u;

void count_call(std::uint32_t& iterations) {
    iterations += 1;
    if (iterations > kIterationsWrap) iterations = 0;
}

} // namespace

// The Ikeda map with its fixed constants (rho 1.0, c1 0.4, c2 0.9, c3 6.0).
int ikeda(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos, int* ypos) {
    constexpr double rho = 1.0, c1 = 0.4, c2 = 0.9, c3 = 6.0;
    const double x = old.x, y = old.y;
    const double t = c1 - c3 / (1.0 + x * x + y * y);
    const double cost = std::cos(t), sint = std::sin(t);
    next->x = rho + c2 * (x * cost - y * sint);
    next->y = c2 * (x * sint + y * cost);
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// Henon's area-preserving quadratic map, turned by sp0 degrees. A fresh orbit
// starts in [-1, 1]^2 every 1000 calls and whenever the last one ran away, so
// the picture is a phase portrait of many orbits.
int hpd(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
        int* ypos) {
    HpdScratch& h = scratch(rc).pointmaps.hpd;
    if (iter == 0) {
        h.iterations = 0;
        h.rad = (kPi * ps.p[ps.type].sp0) * (1.0 / 180.0);
        h.cosa = std::cos(h.rad);
        h.sina = std::sin(h.rad);
        rc.seed_from_clock();
    }
    count_call(h.iterations);
    if (old.x * old.x + old.y * old.y > 1e16 || h.iterations % 1000 == 0) {
        old.x = 2 * rc.morvrandom() - 1;
        old.y = 2 * rc.morvrandom() - 1;
    }
    const double yminusx2 = old.y - old.x * old.x;
    next->x = old.x * h.cosa - yminusx2 * h.sina;
    next->y = old.x * h.sina + yminusx2 * h.cosa;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The nonlinear term computed from x' enters the next call's x'' through w.
int feather(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
            int* ypos) {
    constexpr double c = 2.96;
    FeatherScratch& f = scratch(rc).pointmaps.feather;
    if (iter == 0) {
        rc.seed_from_clock();
        f.w = 1.224;
        f.iterations = 0;
    }
    count_call(f.iterations);
    if (f.iterations % 1000 == 0) {
        old.x = 3 * rc.morvrandom();
        old.y = rc.morvrandom();
    }
    const TypeParams& p = ps.p[ps.type];
    next->x = p.b * old.y + f.w;
    const double u = next->x * next->x;
    f.w = p.a * next->x + c * u / (1 + u);
    next->y = f.w - old.x;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The forced Duffing oscillator, one fixed Euler step of 1/(2 pi) per call; the
// forcing phase repeats every 628 calls. Paced: speed + 10 ms every call.
int duffing(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
            int* ypos) {
    constexpr long double h = 0.159154943091895335768883763372514362L; // 1/(2 pi)
    DuffingScratch& d = scratch(rc).pointmaps.duffing;
    if (iter == 0) d.a = 0;
    const double b = 0.01 * d.a;
    const double x = old.x, y = old.y;
    next->x = static_cast<double>(x + h * y);
    next->y = static_cast<double>(y + h * (x - x * x * x - 0.293517 * y + 0.472627 * std::cos(b)));
    d.a += 1;
    if (d.a > 627) d.a = 0;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    rc.sleep_ms(ps.speed + 10);
    return kPlot;
}

// Barry Martin's hopalong; the sign of zero counts as +1.
int hopalong(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos,
             int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    const double x = old.x;
    const double sign = x == 0.0 ? 1.0 : x / std::fabs(x);
    next->x = old.y - sign * std::sqrt(std::fabs(p.b * x - p.c));
    next->y = p.a - x;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// The deterministic plane maps: one point per call, plotted by the driver.
#include "core/numeric.h"
#include "core/view.h"
#include "formulas/inline_steps.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

int plot_plane_point(const Params& ps, const Point3* next, int* xpos, int* ypos) {
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace

int iris(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
         int* ypos) {
    return inline_steps::iris(ps, rc, old, next, iter, xpos, ypos);
}

// x takes the sine and cosine of y, y the cosine of x and the sine of y: the
// asymmetry is part of the map.
int atom(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
         int* ypos) {
    return inline_steps::atom(ps, rc, old, next, iter, xpos, ypos);
}

// A hopalong variant whose sign is -1 at x = 0.
int wings(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos, int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    const double sign = old.x > 0 ? 1.0 : -1.0;
    next->x = old.x - sign * std::sqrt(std::fabs(old.y - p.sp1 * old.x));
    next->y = p.sp0 * old.x + old.y;
    return plot_plane_point(ps, next, xpos, ypos);
}

// Fixed coefficients: the picture depends only on the start point and window.
int medusa(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos, int* ypos) {
    constexpr double p1 = -0.438016, p2 = 0.819984, p3 = -0.381065;
    const double x = old.x, y = old.y;
    next->x = p1 * x + y - p2 * (x * x);
    next->y = p3 * y - x + p2 * (y * y);
    return plot_plane_point(ps, next, xpos, ypos);
}

// The point turned by its own x*y radians, scaled by sp1 and shifted by sp0.
int disk(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos, int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    const double x = old.x, y = old.y, xy = x * y;
    const double c = std::cos(xy), sn = std::sin(xy);
    next->x = p.sp0 + p.sp1 * (x * c - y * sn);
    next->y = p.sp1 * (x * sn + y * c);
    return plot_plane_point(ps, next, xpos, ypos);
}

int star(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos, int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    const double x = old.x, y = old.y, ax = std::fabs(x), ay = std::fabs(y);
    next->x = 4 * (p.a * x + p.b * x * (ax + ay) + p.c * x * (ax - ay));
    next->y = 4 * (p.a * y + p.b * y * (ax + ay) + p.c * y * (ay - ax));
    return plot_plane_point(ps, next, xpos, ypos);
}

// sp0 (in turns) and sp1 are read only at the start of a run. Images beyond
// modulus 2 are folded back towards the origin, which keeps the orbit bounded.
int spirals(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
            int* ypos) {
    SpiralsScratch& sc = scratch(rc).pointmaps.spirals;
    if (iter == 0) {
        const TypeParams& p = ps.p[ps.type];
        sc.p3 = p.sp1 * std::sin(kTwoPi * p.sp0);
        sc.p4 = p.sp1 * std::cos(kTwoPi * p.sp0);
    }
    const double x = old.x, w = x * x - old.y;
    double nx = x * sc.p3 + w * sc.p4;
    double ny = x * sc.p4 - w * sc.p3;
    if (std::sqrt(nx * nx + ny * ny) > 2.0) {
        nx = -0.005 * nx;
        ny = -0.005 * ny;
    }
    next->x = nx;
    next->y = ny;
    return plot_plane_point(ps, next, xpos, ypos);
}

int cosinewaves(const Params& ps, RenderContext&, Point3 old, Point3* next, int, int* xpos,
                int* ypos) {
    const TypeParams& p = ps.p[ps.type];
    next->x = old.y - p.sp0 * std::cos(kPi * old.x);
    next->y = p.sp1 * old.x;
    return plot_plane_point(ps, next, xpos, ypos);
}

} // namespace morv

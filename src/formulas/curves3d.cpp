// SPDX-License-Identifier: GPL-3.0-or-later
// Closed parametric curves traced point by point, lifted into 3-D for colour
// and rotation: Chrysanthemum and Butterfly.
#include "core/numeric.h"
#include "core/rotation.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

constexpr int kMaxCount = 10000;       // points of one pass over the curve
constexpr int kCountWrap = 2147480000; // a multiple of kMaxCount short of INT32_MAX

// The point as the plotter places it: rotated when any angle is set, scaled by
// `shrink`, centred on the canvas.
void project(const Params& ps, const Point3& point, double shrink, int* xpos, int* ypos) {
    Point3 p = point;
    if (rotated(ps)) rotatexyz(ps, point, &p);
    const int half = ps.res / 2;
    *xpos = wrap_add(trunc32(shrink * p.x), half);
    *ypos = wrap_sub(wrap_sub(ps.res, wrap_add(trunc32(shrink * p.y), half)), 1);
}

// Every 10000th point the curve is complete: pause, and let Resume retrace it.
int advance(int& count) {
    ++count;
    if (count % kMaxCount != 0) return kPlot;
    if (count == kCountWrap) count = 0;
    return kStop;
}

} // namespace

int chrysanthemum(const Params& ps, RenderContext& rc, Point3, Point3* next, int iter, int* xpos,
                  int* ypos) {
    ChrysanthemumScratch& k = scratch(rc).selfdraw2.chrysanthemum;
    if (iter == 0) {
        k.count = 0;
        k.pi_over_maxcount = kPi / kMaxCount;
        k.res_over_24 = ps.res / 24.0;
    }
    // In double: 21 * count as an int would overflow long before the wrap.
    const double u = 21.0 * k.count * k.pi_over_maxcount;
    const double p4 = std::sin(17 * u / 3);
    const double p8 = std::sin(2 * std::cos(3 * u) - 28 * u);
    const double r = 5 * (1 + std::sin(11 * u / 5)) - 4 * std::pow(p4, 4) * std::pow(p8, 8);
    next->x = r * std::cos(u) * k.res_over_24;
    next->y = r * std::sin(u) * k.res_over_24;
    next->z = (r / 3) * std::sin(0.8975979010256552 * r) * k.res_over_24; // 2 pi / 7
    project(ps, *next, 1.0, xpos, ypos);
    return advance(k.count);
}

int butterfly(const Params& ps, RenderContext& rc, Point3, Point3* next, int iter, int* xpos,
              int* ypos) {
    ButterflyScratch& k = scratch(rc).selfdraw2.butterfly;
    if (iter == 0) {
        k.count = 0;
        k.pi_over_maxcount = kPi / kMaxCount;
        k.res_over_10 = ps.res / 10.0;
    }
    const double u = 24.0 * k.count * k.pi_over_maxcount;
    const double cos_u = std::cos(u);
    const double cos_4u = std::cos(4 * u);
    const double sin_u_over_12 = std::sin(u / 12);
    // An odd power: the last term keeps its sign.
    const double r = std::exp(cos_u) - 2 * cos_4u + std::pow(sin_u_over_12, 5);
    next->x = std::sin(u) * r * k.res_over_10;
    next->y = r * cos_u * k.res_over_10;
    next->z = 0.5 * std::fabs(next->y);
    project(ps, *next, 0.9, xpos, ypos);
    return advance(k.count);
}

} // namespace morv

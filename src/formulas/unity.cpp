// SPDX-License-Identifier: GPL-3.0-or-later
// Unity: an escape-time picture of the map y' = (2 - |z|^2) x,
// x' = (2 - |z|^2) y', one canvas row per call.
#include "core/numeric.h"
#include "formulas/selfdraw1_helpers.h"
#include "formulas/steps.h"

#include <algorithm>
#include <cmath>

namespace morv {

namespace {

// Inversion in the unit circle: the point at the reciprocal distance in the
// same direction. Points on either axis are left as they are.
void invert(double& x0, double& y0) {
    if (x0 == 0 || y0 == 0) return;
    double rho = std::sqrt(x0 * x0 + y0 * y0);
    if (rho == 0) rho = 1e-12; // both coordinates so small that their squares vanish
    // Rounding can push the ratio a hair past +-1, where acos is undefined.
    double theta = std::acos(std::clamp(x0 / rho, -1.0, 1.0));
    if (y0 < 0) theta = kTwoPi - theta;
    x0 = std::cos(theta) / rho;
    y0 = std::sin(theta) / rho;
}

// The palette entry of the pixel whose plane point is (x0, y0).
unsigned unity_pixel(const Params& ps, const RenderContext& rc, double x0, double y0) {
    const UnityScratch& sc = scratch(rc).selfdraw1.unity;
    if (ps.unityflag != 0) invert(x0, y0);
    double size = 0, infsize = sc.maxsize;
    int n = 0;
    while (size <= sc.maxsize && n < sc.maxiter) {
        const double one = x0 * x0 + y0 * y0;
        if (ps.unityflag == 0 && one > 2.0) break;
        const double y1 = (2 - one) * x0;
        const double x1 = (2 - one) * y1; // the new x uses the new y
        size = x1 * x1 + y1 * y1;
        x0 = x1;
        y0 = y1;
        n = n + 1;
        if (size < infsize) infsize = size;
    }
    if (size > sc.maxsize) return mod255_index(trunc32(std::fmod(size / sc.maxsize, 255.0)));
    if (ps.unitybasin != 0) {
        // Which of the two basins the final point lies in.
        const double d1 = (0.666667 - x0) * (0.666667 - x0) + y0 * y0;
        const double d2 = (-0.666667 - x0) * (-0.666667 - x0) + y0 * y0;
        const std::int32_t shift = d1 > d2 ? 127 : 0;
        return mod255_index(wrap_add(trunc32(256 * size / sc.maxsize), shift));
    }
    return mod255_index(trunc32(256 * infsize * 7));
}

} // namespace

int unity(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    UnityScratch& sc = scratch(rc).selfdraw1.unity;
    const ViewWindow& mm = ps.mm[ps.type];
    if (iter == 0) {
        sc.row = 0;
        sc.xside = mm.xmax - mm.xmin;
        sc.yside = mm.ymax - mm.ymin;
        sc.maxsize = 4.0;
        sc.maxiter = 3.0;
    }
    // Row 0 is ymin: the picture is upside down against the usual view mapping.
    const double y = grid_coord(ps, sc.row, sc.yside, mm.ymin);
    for (int i = 0; i < ps.res; ++i) {
        const unsigned k = unity_pixel(ps, rc, grid_coord(ps, i, sc.xside, mm.xmin), y);
        drawdot(ps, rc, i, sc.row, palette_color(ps.palette, k));
    }
    sc.row = sc.row + 1;
    return sc.row >= ps.res ? kComplete : kTransient;
}

} // namespace morv

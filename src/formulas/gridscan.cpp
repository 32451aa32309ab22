// SPDX-License-Identifier: GPL-3.0-or-later
// Grid scans: every pixel of a canvas row is a start point; one row per call,
// so the window stays responsive during a scan. The call that completes the
// last row ends the image.
#include "core/settings.h"
#include "core/view.h"
#include "formulas/selfdraw1_helpers.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

// Result after a row: 3 once the scan has covered the whole canvas.
int row_done(bool last) {
    return last ? kComplete : kTransient;
}

// ---- Sierpinski web -------------------------------------------------------

// Steps until the doubling-and-folding orbit of z cubed leaves the disk of
// squared radius 16, at most 256.
int web_steps(double x, double y) {
    double zx = (x * x - 3 * y * y) * x;
    double zy = (3 * x * x - y * y) * y;
    zx = std::fabs(zx) * 0.2;
    zy = std::fabs(zy) * 0.2;
    double size = 0;
    int n = 0;
    while (size <= 16 && n < 256) {
        zx = 2 * zx;
        zy = 2 * zy;
        if (zy > 1)
            zy = zy - 1;
        else if (zx > 1)
            zx = zx - 1;
        size = zx * zx + zy * zy;
        n += 1;
    }
    return n;
}

// ---- Volterra-Lotka -------------------------------------------------------

// A maxiter from elsewhere than the dialog is held to the setting's range here
// so that a row can never take unbounded time.
int vl_maxiter(const Params& ps) {
    return setting_named("vlmaxiter").limits.hold(ps.vlmaxiter);
}

// One predictor-corrector step of dx/dt = x - xy, dy/dt = xy - y.
void vl_map(double& x, double& y, double half, double p) {
    const double xy = x * y;
    const double fxy = x - xy;
    const double gxy = -y + xy;
    const double xpfxy = x + p * fxy;
    const double ypgxy = y + p * gxy;
    const double product = xpfxy * ypgxy;
    x = x + half * (fxy + xpfxy - product);
    y = y + half * (gxy - ypgxy + product);
}

void vl_start(const Params& ps, RenderContext& rc) {
    VlScratch& sc = scratch(rc).selfdraw1.vl;
    const TypeParams& p = ps.p[ps.type];
    const ViewWindow& mm = ps.mm[ps.type];
    sc.row = 0;
    sc.half = p.sp0 * 0.5;
    const int maxiter = vl_maxiter(ps);
    sc.factor = maxiter < 256 ? 256.0 : maxiter;
    sc.xside = mm.xmax - mm.xmin;
    sc.yside = mm.ymax - mm.ymin;
    sc.atrx = 1.0;
    sc.atry = 2.5;
    for (int i = 0; i < 128; ++i) {
        if (sc.atrx * sc.atrx + sc.atry * sc.atry > ps.vlmaxsize) break;
        vl_map(sc.atrx, sc.atry, sc.half, p.sp1);
    }
}

// The palette entry of start point (x, y), or 0 when its orbit escapes.
unsigned vl_pixel(const Params& ps, const RenderContext& rc, double x, double y) {
    const VlScratch& sc = scratch(rc).selfdraw1.vl;
    const double p = ps.p[ps.type].sp1;
    const int maxiter = vl_maxiter(ps);
    double size = 0, infsize = ps.vlmaxsize;
    int n = 0;
    while (size <= ps.vlmaxsize && n < maxiter) {
        vl_map(x, y, sc.half, p);
        size = x * x + y * y;
        n += 1;
        if (ps.vlcoloring == 1 && size < infsize) infsize = size;
        if (ps.vlcoloring == 2 &&
            std::sqrt((x - sc.atrx) * (x - sc.atrx) + (y - sc.atry) * (y - sc.atry)) < ps.vlradius)
            break;
    }
    if (size > ps.vlmaxsize) return 0;
    switch (ps.vlcoloring) {
    case 0: {
        const std::int32_t k = trunc32(std::fmod(16 * size, 255.0) + 1.0);
        return k >= 1 && k <= 255 ? static_cast<unsigned>(k) : mod255_index(k); // NaN: off range
    }
    case 1:
        return mod255_index(trunc32(std::sqrt(infsize) * sc.factor * 7.0));
    default:
        return mod255_index(n >> 1);
    }
}

// The reference orbit from (1.0, 2.5), drawn in yellow after its first 32 steps.
void vl_show_orbit(const Params& ps, RenderContext& rc) {
    const VlScratch& sc = scratch(rc).selfdraw1.vl;
    const ViewWindow& mm = ps.mm[ps.type];
    const double p = ps.p[ps.type].sp1;
    double x = 1.0, y = 2.5;
    for (int n = 1; n <= 256; ++n) {
        if (x * x + y * y > ps.vlmaxsize) break;
        vl_map(x, y, sc.half, p);
        if (n > 32) {
            const int col = trunc32((x - mm.xmin) * ps.dres / sc.xside);
            const int row =
                wrap_sub(wrap_sub(ps.res, trunc32((y - mm.ymin) * ps.dres / sc.yside)), 1);
            drawdot(ps, rc, col, row, rgb(255, 255, 0));
        }
    }
}

// ---- Frothy Basin ----------------------------------------------------------

void frothy_start(FrothyBasinScratch& sc) {
    sc.row = 0;
    sc.xmin = -2.3;
    sc.ymin = -2.4;
    sc.xside = 5.0;
    sc.yside = 4.4;
    sc.maxsize = 7.0;
}

// The palette entry of start point (x, y) under z*z - (1 + i) conj(z), or 0
// when its orbit escapes.
unsigned frothy_pixel(const FrothyBasinScratch& sc, double x, double y) {
    double size = 0, infsize = sc.maxsize;
    int n = 0;
    while (size <= sc.maxsize && n < 150) {
        const double xn = (x + y) * (x - y) - x - y;
        const double yn = 2 * x * y - x + y;
        size = xn * xn + yn * yn;
        x = xn;
        y = yn;
        n += 1;
        if (size < infsize) infsize = size;
    }
    if (size > sc.maxsize) return 0;
    return mod255_index(trunc32(256 * infsize * 7));
}

// The "Finite Attractor" mode: z*z - C conj(z) as a point map for the plotter.
int frothy_point_map(const Params& ps, Point3 old, Point3* next, int* xpos, int* ypos) {
    const double a = ps.p[ps.type].a, b = ps.p[ps.type].b;
    const double x = old.x, y = old.y;
    next->x = (x + y) * (x - y) - a * x - b * y;
    next->y = 2 * x * y - b * x + a * y;
    map_to_pixel(ps, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace

int web(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    WebScratch& sc = scratch(rc).selfdraw1.web;
    const ViewWindow& mm = ps.mm[ps.type];
    if (iter == 0) {
        sc.row = 0;
        sc.xside = mm.xmax - mm.xmin;
        sc.yside = mm.ymax - mm.ymin;
    }
    const double y = grid_coord(ps, ps.res - sc.row - 1, sc.yside, mm.ymin); // top row is ymax
    for (int i = 0; i < ps.res; ++i) {
        const int n = web_steps(grid_coord(ps, i, sc.xside, mm.xmin), y);
        // Quick escapes keep the background.
        if (n > 9) drawdot(ps, rc, i, sc.row, palette_color(ps.palette, mod255_index(3 * n)));
    }
    sc.row += 1;
    return row_done(sc.row >= ps.res);
}

int vl(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    VlScratch& sc = scratch(rc).selfdraw1.vl;
    if (iter == 0) vl_start(ps, rc);
    const ViewWindow& mm = ps.mm[ps.type];
    const double y = grid_coord(ps, ps.res - sc.row - 1, sc.yside, mm.ymin);
    for (int i = 0; i < ps.res; ++i) {
        const unsigned k = vl_pixel(ps, rc, grid_coord(ps, i, sc.xside, mm.xmin), y);
        if (k != 0) drawdot(ps, rc, i, sc.row, palette_color(ps.palette, k));
    }
    sc.row += 1;
    if (sc.row < ps.res) return kTransient;
    if (ps.showorbits != 0) vl_show_orbit(ps, rc);
    return kComplete;
}

int popcorn(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    PopcornScratch& sc = scratch(rc).selfdraw1.popcorn;
    if (iter == 0) {
        // The window is made symmetric about 0 and scaled by sp1: only its
        // minimum corner is read.
        const ViewWindow& mm = ps.mm[ps.type];
        sc.row = ps.res - 1;
        sc.index = 1;
        sc.h = ps.p[ps.type].sp0;
        sc.xmin = mm.xmin * ps.p[ps.type].sp1;
        sc.xmax = -sc.xmin;
        sc.ymin = mm.ymin * ps.p[ps.type].sp1;
        sc.ymax = -sc.ymin;
        sc.xside = sc.xmax - sc.xmin;
        sc.yside = sc.ymax - sc.ymin;
    }
    const double y0 = grid_coord(ps, sc.row, sc.yside, sc.ymin);
    const Rgb colour = palette_color(ps.palette, static_cast<unsigned>(sc.index));
    for (int i = 0; i < ps.res; ++i) {
        const double x0 = grid_coord(ps, i, sc.xside, sc.xmin);
        sc.xnew = x0 - sc.h * std::sin(y0 + std::tan(3 * y0));
        sc.ynew = y0 - sc.h * std::sin(x0 + std::tan(3 * x0));
        // Scaled by res, not res - 1 as the grid is.
        const int col = trunc32(ps.res * (sc.xnew - sc.xmin) / sc.xside);
        const int row =
            wrap_sub(wrap_sub(ps.res, 1), trunc32(ps.res * (sc.ynew - sc.ymin) / sc.yside));
        drawdot(ps, rc, col, row, colour);
    }
    if (ps.speed != 0) rc.sleep_ms(ps.speed);
    sc.index = sc.index >= 255 ? 1 : sc.index + 1;
    sc.row -= 1;
    return row_done(sc.row < 0);
}

int frothybasin(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
                int* ypos) {
    if (ps.basinflag != 0) return frothy_point_map(ps, old, next, xpos, ypos);
    FrothyBasinScratch& sc = scratch(rc).selfdraw1.frothybasin;
    if (iter == 0) frothy_start(sc);
    // Row 0 is the bottom of the plane: the picture is mirrored top to bottom.
    const double y = grid_coord(ps, sc.row, sc.yside, sc.ymin);
    for (int i = 0; i < ps.res; ++i) {
        const unsigned k = frothy_pixel(sc, grid_coord(ps, i, sc.xside, sc.xmin), y);
        if (k != 0) drawdot(ps, rc, i, sc.row, palette_color(ps.palette, k));
    }
    sc.row += 1;
    return row_done(sc.row >= ps.res);
}

} // namespace morv

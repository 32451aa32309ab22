// SPDX-License-Identifier: GPL-3.0-or-later
// Single orbits drawn with their own scale and colours: Lace and the
// Perturbated Gingerbread Men.
#include "core/options.h"
#include "core/settings.h"
#include "formulas/selfdraw1_helpers.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

constexpr int kWarmup = 100; // Lace's points computed before the first dot
constexpr double kSqrt3Half = 0.8660254037844386;
constexpr int kPgmColourRun = 2353; // PGM points drawn in one palette entry

bool on_canvas(const Params& ps, int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(ps.res) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(ps.res);
}

// One of Lace's four maps: the point rotates about a centre and is pulled in
// by r; the history channels record the choice in their leading binary digits.
void lace_map(LaceScratch& sc, int k, double r) {
    const double r0 = sc.r0;
    double w = 0;
    switch (k) {
    case 0:
        w = std::atan2(sc.y0, sc.x0 - 1);
        sc.y0 = 1 - r0 * std::cos(w) / r;
        sc.x0 = -r0 * std::sin(w) / r;
        sc.cr = (sc.cr + 1) * 0.5;
        sc.cg *= 0.5;
        sc.cb *= 0.5;
        break;
    case 1:
        w = std::atan2(sc.y0 - kSqrt3Half, sc.x0 + 0.5);
        sc.y0 = -0.5 - r0 * std::cos(w) / r;
        sc.x0 = kSqrt3Half - r0 * std::sin(w) / r;
        sc.cr *= 0.5;
        sc.cg = (sc.cg + 1) * 0.5;
        sc.cb *= 0.5;
        break;
    case 2:
        w = std::atan2(sc.y0 + kSqrt3Half, sc.x0 + 0.5);
        sc.y0 = -0.5 - r0 * std::cos(w) / r;
        sc.x0 = -kSqrt3Half - r0 * std::sin(w) / r;
        sc.cr *= 0.5;
        sc.cg *= 0.5;
        sc.cb = (sc.cb + 1) * 0.5;
        break;
    default:
        w = std::atan2(sc.y0, sc.x0);
        sc.y0 = -r0 * std::cos(w) / r;
        sc.x0 = -r0 * std::sin(w) / r;
        sc.cr = (sc.cr + 1) * 0.5;
        sc.cg = (sc.cg + 1) * 0.5;
        sc.cb = (sc.cb + 1) * 0.5;
        break;
    }
}

// Adds the history colour to what the pixel holds, each channel wrapping
// within 1..255.
Rgb lace_colour(const LaceScratch& sc, Rgb held) {
    const auto channel = [](double c, int held_channel) {
        return static_cast<int>(mod255_index(wrap_add(trunc32(c * 256), held_channel)));
    };
    return rgb(channel(sc.cr, red_of(held)), channel(sc.cg, green_of(held)),
               channel(sc.cb, blue_of(held)));
}

// pgmindex reaches the state through the dialog and parameter files; a value
// outside 0..7 must never index the start tables.
int pgm_formula(int pgmindex) {
    return setting_named("pgmindex").limits.hold(pgmindex);
}

// The perturbation F of formula `index`. Formulas 5 and 6 first replace an
// exact zero divisor's source by 1e-06, which carries into the map.
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

} // namespace

int lace(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    LaceScratch& sc = scratch(rc).selfdraw1.lace;
    const TypeParams& p = ps.p[ps.type];
    if (iter == 0) {
        rc.seed_from_clock();
        sc.x0 = p.xstart;
        sc.y0 = p.ystart;
        sc.cr = sc.cg = sc.cb = 0.0;
    }
    sc.r0 = std::sqrt(sc.x0 * sc.x0 + sc.y0 * sc.y0);
    lace_map(sc, rc.rand() % 4, p.sp0);
    if (iter >= kWarmup) {
        // The model origin sits at (res/2, 7res/16); y is not flipped.
        const int col = trunc32(ps.res / p.sp1 * sc.x0 + (ps.res >> 1));
        const int row = trunc32(ps.res / p.sp1 * sc.y0 + ((wrap_mul(7, ps.res) >> 3) >> 1));
        if (on_canvas(ps, col, row))
            drawdot(ps, rc, col, row, lace_colour(sc, rc.canvas.get_pixel(col, row)));
    }
    return kTransient;
}

int pgm(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int*, int*) {
    PgmScratch& sc = scratch(rc).selfdraw1.pgm;
    const int index = pgm_formula(ps.pgmindex);
    double x = old.x, y = old.y;
    if (iter == 0) {
        x = ps.pgmx0[index];
        y = ps.pgmy0[index];
        sc.resover3 = ps.res * (1.0 / 3.0);
        sc.reset = 0;
        sc.color = 1;
    }
    const double f = pgm_perturbation(index, x, y);
    next->x = (1 - y) + std::fabs(x) + f;
    next->y = x;
    if (++sc.reset == kPgmColourRun) {
        sc.reset = 0;
        sc.color = sc.color >= 255 ? 1 : sc.color + 1;
    }
    // The model origin sits at (res/3, res/3); y is not flipped.
    const int col = trunc32(ps.pgmscale * next->x + sc.resover3);
    const int row = trunc32(ps.pgmscale * next->y + sc.resover3);
    if (on_canvas(ps, col, row))
        drawdot(ps, rc, col, row, palette_color(ps.palette, static_cast<unsigned>(sc.color)));
    return kTransient;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// Rossler's equations by explicit Euler steps, in a 2-D projection or in a
// fixed oblique view over a painted stage.
#include "core/numeric.h"
#include "core/rotation.h"
#include "core/view.h"
#include "formulas/masks.h"
#include "formulas/steps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace morv {

namespace {

constexpr double kTurn = 0.785398; // the xy plane is turned by 45 degrees
constexpr int kPaceEvery = 25;

// The oblique view's fixed plot window.
constexpr double kOxmin = -15.0, kOxmax = 15.0, kOymin = -6.0, kOymax = 28.0;

Point3 integrate(Point3 o, double c) {
    const double h = 0.005, a = 0.2, b = 0.2;
    return Point3{o.x + h * (-o.y - o.z), o.y + h * (o.x + a * o.y),
                  o.z + h * (b + o.x * o.z - c * o.z)};
}

// White pixels where the mask is set.
void draw_glyph(Surface& to, const Mask& m, int left, int top) {
    for (int i = 0; i < m.width(); ++i)
        for (int j = 0; j < m.height(); ++j)
            if (m.at(i, j) != 0) to.set_pixel(left + i, top + j, rgb(255, 255, 255));
}

// The floor, the three axes and their letters. Painted identically on the
// canvas and the window, each surface clipping to its own size.
void paint_stage(const Params& ps, Surface& to) {
    const int r = ps.res, half = ps.res / 2;
    const int y65 = trunc32(0.65 * r);
    const Rgb floor = rgb(0, 48, 80), white = rgb(255, 255, 255);
    const std::array<Point, 5> pentagon{{
        {0, r - 1},
        {0, y65},
        {half, trunc32(0.4875 * r)},
        {r - 1, y65},
        {r - 1, r - 1},
    }};
    to.polygon(pentagon, floor, 2, floor);
    to.line({half, 10}, {half, trunc32(0.825 * r)}, 2, white);
    to.line({0, r}, {r, y65}, 2, white);
    to.line({0, y65}, {r, r}, 2, white);
    const int below_floor = trunc32(0.65 * r + 16);
    draw_glyph(to, xchar, r - 26, below_floor);
    draw_glyph(to, ychar, 8, below_floor);
    draw_glyph(to, zchar, half - 22, 16);
}

void project_2d(const Params& ps, const Point3& next, int* xpos, int* ypos) {
    Point3 p = next;
    if (rotated(ps)) rotatexyz(ps, next, &p);
    map_to_pixel(ps, p.x, p.y, xpos, ypos);
}

void project_oblique(const Params& ps, const Point3& next, int* xpos, int* ypos) {
    double rho = std::sqrt(next.x * next.x + next.y * next.y);
    if (rho == 0) rho = 1e-15;
    // Rounding may push the ratio a hair beyond +-1, where acos is undefined.
    double phi = std::acos(std::clamp(next.x / rho, -1.0, 1.0));
    if (next.y < 0) phi = kTwoPi - phi;
    phi = phi + kTurn;
    if (phi >= kTwoPi) phi = phi - kTwoPi;
    const double x = rho * std::cos(phi), y = rho * std::sin(phi);
    *xpos = trunc32((x - kOxmin) * ps.dres / (kOxmax - kOxmin));
    *ypos = wrap_sub(
        wrap_sub(ps.res, trunc32((0.5 * y + next.z - kOymin) * ps.dres / (kOymax - kOymin))), 1);
}

// A wait of `speed` ms every 25 calls, counted across runs.
void pace(const Params& ps, RenderContext& rc) {
    int& count = scratch(rc).selfdraw2.rossler.count;
    if (++count % kPaceEvery == 0) {
        count = 0;
        if (ps.speed != 0) rc.sleep_ms(ps.speed);
    }
}

} // namespace

int rossler(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int* xpos,
            int* ypos) {
    if (ps.rosslerflag == 0) {
        *next = integrate(old, 5.4);
        project_2d(ps, *next, xpos, ypos);
    } else {
        if (iter == 0) {
            paint_stage(ps, rc.canvas);
            paint_stage(ps, rc.window);
        }
        *next = integrate(old, 5.7);
        project_oblique(ps, *next, xpos, ypos);
    }
    pace(ps, rc);
    return kPlot;
}

} // namespace morv

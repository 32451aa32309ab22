// SPDX-License-Identifier: GPL-3.0-or-later
// The bifurcation diagram, drawn over many calls: the eight curves one per
// call with a pause after each, then the diagram one column per call (the odd
// map: two passes, a pause after each); the last column ends the run.
#include "core/numeric.h"
#include "formulas/steps.h"

#include <array>

namespace morv {

namespace {

// The k-th iterate of the critical point 1/2, k = 1..8, as a curve in L.
constexpr std::array<Rgb, 8> kCurveColors{
    rgb(255, 0, 208), rgb(160, 0, 160), rgb(176, 96, 0),  rgb(0, 160, 0),
    rgb(0, 216, 88),  rgb(0, 128, 176), rgb(0, 192, 255), rgb(255, 48, 48),
};
constexpr int kCurves = 8;
constexpr int kOddPasses = 2;
constexpr int kCurvePauseMs = 1000;
constexpr int kOddPauseMs = 2000;
constexpr int kIterations = 300;
constexpr int kSettle = 100; // values j = 0..100 of a column are not drawn

// Maps L across the columns and x along the rows of one mode.
struct Axes {
    double amin, ymin, ymax;
    double dw, dh; // pixels per unit
    int res;

    Axes(int r, double a0, double a1, double y0, double y1)
        : amin(a0), ymin(y0), ymax(y1), dw(r / (a1 - a0)), dh(r / (y1 - y0)), res(r) {}

    double column_l(int i) const { return i / dw + amin; }
    bool in_range(double x) const { return x >= ymin && x <= ymax; }
    // The row of an in-range x, clamped to the canvas.
    int row(double x) const {
        const int y = trunc32((ymax - x) * dh);
        return y < 0 ? 0 : (y > res - 1 ? res - 1 : y);
    }
};

Axes classic_axes(int res) {
    return Axes(res, 2.9, 4.0, -0.1, 2.2);
}

Axes odd_axes(int res) {
    return Axes(res, 0.9, 3.0, -1.5, 1.5);
}

// The palette position runs 1..254 over the columns of every pass.
void advance(int& index) {
    if (++index == 255) index = 1;
}

// Lines and dots go to the canvas and to the window at the same place, without
// the visible-part test of other types: the surfaces clip to their own size.
void both_line(const Params& ps, RenderContext& rc, Point from, Point to, Rgb c) {
    rc.canvas.line(from, to, ps.linewidth, c);
    rc.window.line(from, to, ps.linewidth, c);
}

void both_dot(RenderContext& rc, int x, int y, Rgb c) {
    rc.canvas.set_pixel(x, y, c);
    rc.window.set_pixel(x, y, c);
}

// Curve k (1..8), drawn whole.
void draw_curve(const Params& ps, RenderContext& rc, const Axes& ax, int k, int& index) {
    const int halfres = ps.res >> 1;
    const Rgb c = kCurveColors[static_cast<std::size_t>(k - 1)];
    int oldy = 0, y = 0;
    for (int i = 0; i < ps.res; ++i) {
        const double l = ax.column_l(i);
        advance(index);
        double x = 0.5;
        for (int n = 0; n < k; ++n) {
            x = l * x * (1 - x);
            if (ax.in_range(x)) y = ax.row(x);
        }
        // Each curve is drawn twice: at its true rows and shifted up by half
        // the canvas, where the diagram will wipe it column by column.
        if (i >= 2) {
            both_line(ps, rc, {i - 1, oldy}, {i, y}, c);
            both_line(ps, rc, {i - 1, oldy - halfres}, {i, y - halfres}, c);
        }
        oldy = y;
    }
}

// Column i of the classic diagram, shifted up by half the canvas into its
// cleared top.
void draw_classic_column(const Params& ps, RenderContext& rc, const Axes& ax, int i,
                         BifurcationScratch& b) {
    const int halfres = ps.res >> 1;
    rc.canvas.fill_rect(Rect{i, 0, i + 1, halfres}, ps.back);
    rc.window.fill_rect(Rect{i, 0, i + 1, halfres}, ps.back);
    const double l = ax.column_l(i);
    advance(b.index);
    const Rgb c = palette_color(ps.palette, static_cast<unsigned>(b.index));
    double x = b.x;
    for (int j = 0; j < kIterations; ++j) {
        x = l * x * (1 - x);
        if (j > kSettle && ax.in_range(x)) both_dot(rc, i, ax.row(x) - halfres, c);
    }
    b.x = x;
}

// Column i of an odd pass.
void draw_odd_column(const Params& ps, RenderContext& rc, const Axes& ax, int i,
                     BifurcationScratch& b) {
    const double l = ax.column_l(i);
    advance(b.index);
    const Rgb c = palette_color(ps.palette, static_cast<unsigned>(b.index));
    double x = b.x;
    for (int j = 0; j < kIterations; ++j) {
        x = l * x * (1 - x * x);
        if (j > kSettle && ax.in_range(x)) both_dot(rc, i, ax.row(x), c);
    }
    b.x = x;
}

int classic_call(const Params& ps, RenderContext& rc, BifurcationScratch& b) {
    const Axes ax = classic_axes(ps.res);
    if (b.stage < kCurves) {
        draw_curve(ps, rc, ax, ++b.stage, b.index);
        rc.sleep_ms(kCurvePauseMs);
        return kTransient;
    }
    // x carries over from column to column.
    draw_classic_column(ps, rc, ax, b.column++, b);
    return b.column >= ps.res ? kComplete : kTransient;
}

// The odd map is symmetric, so it is iterated from both signs of the start.
int odd_call(const Params& ps, RenderContext& rc, BifurcationScratch& b, double start) {
    if (b.column == 0) b.x = b.stage == 0 ? start : -start;
    draw_odd_column(ps, rc, odd_axes(ps.res), b.column++, b);
    if (b.column < ps.res) return kTransient;
    rc.sleep_ms(kOddPauseMs);
    b.column = 0;
    return ++b.stage >= kOddPasses ? kComplete : kTransient;
}

} // namespace

int bifurcation(const Params& ps, RenderContext& rc, Point3 old, Point3*, int iter, int*, int*) {
    BifurcationScratch& b = scratch(rc).selfdraw2.bifurcation;
    if (iter == 0) b = BifurcationScratch{0, 0, 0, old.x};
    return ps.oddflag == 0 ? classic_call(ps, rc, b) : odd_call(ps, rc, b, old.x);
}

} // namespace morv

// The bifurcation diagram: the whole picture in one call, then the run ends.
#include "core/numeric.h"
#include "formulas/steps.h"

#include <array>

namespace morv {

namespace {

// The k-th iterate of the critical point 1/2, k = 1..8, as a curve in L.
constexpr std::array<COLORREF, 8> kCurveColors{
    rgb(255, 0, 208), rgb(160, 0, 160), rgb(176, 96, 0),  rgb(0, 160, 0),
    rgb(0, 216, 88),  rgb(0, 128, 176), rgb(0, 192, 255), rgb(255, 48, 48),
};
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

// The palette position runs 1..254 over the columns of every pass.
void advance(int& index) {
    if (++index == 255) index = 1;
}

// Lines and dots go to the canvas and to the window at the same place, without
// the visible-part test of other types: the surfaces clip to their own size.
void both_line(State& s, Point from, Point to, COLORREF c) {
    s.canvas.line(from, to, s.linewidth, c);
    s.window.line(from, to, s.linewidth, c);
}

void both_dot(State& s, int x, int y, COLORREF c) {
    s.canvas.set_pixel(x, y, c);
    s.window.set_pixel(x, y, c);
}

void draw_curves(State& s, const Axes& ax, int& index) {
    const int halfres = s.res >> 1;
    for (int k = 1; k <= 8; ++k) {
        const COLORREF c = kCurveColors[static_cast<std::size_t>(k - 1)];
        int oldy = 0, y = 0;
        for (int i = 0; i < s.res; ++i) {
            const double l = ax.column_l(i);
            advance(index);
            double x = 0.5;
            for (int n = 0; n < k; ++n) {
                x = l * x * (1 - x);
                if (ax.in_range(x)) y = ax.row(x);
            }
            // Each curve is drawn twice: at its true rows and shifted up by
            // half the canvas, where the diagram will wipe it column by column.
            if (i >= 2) {
                both_line(s, {i - 1, oldy}, {i, y}, c);
                both_line(s, {i - 1, oldy - halfres}, {i, y - halfres}, c);
            }
            oldy = y;
        }
        s.sleep_ms(kCurvePauseMs);
    }
}

// The classic diagram, shifted up by half the canvas into its cleared top.
void draw_classic_diagram(State& s, const Axes& ax, double x, int& index) {
    const int halfres = s.res >> 1;
    int y = 0;
    for (int i = 0; i < s.res; ++i) {
        s.canvas.fill_rect(Rect{i, 0, i + 1, halfres}, s.back);
        s.window.fill_rect(Rect{i, 0, i + 1, halfres}, s.back);
        const double l = ax.column_l(i);
        advance(index);
        const COLORREF c = palette_color(s.palette, static_cast<unsigned>(index));
        // x carries over from column to column.
        for (int j = 0; j < kIterations; ++j) {
            x = l * x * (1 - x);
            if (j > kSettle && ax.in_range(x)) {
                y = ax.row(x);
                both_dot(s, i, y - halfres, c);
            }
        }
    }
}

// The odd map is symmetric, so it is iterated from both signs of the start.
void draw_odd_diagram(State& s, const Axes& ax, double start, int& index) {
    int y = 0;
    for (int pass = 0; pass < 2; ++pass) {
        double x = pass == 0 ? start : -start;
        for (int i = 0; i < s.res; ++i) {
            const double l = ax.column_l(i);
            advance(index);
            const COLORREF c = palette_color(s.palette, static_cast<unsigned>(index));
            for (int j = 0; j < kIterations; ++j) {
                x = l * x * (1 - x * x);
                if (j > kSettle && ax.in_range(x)) {
                    y = ax.row(x);
                    both_dot(s, i, y, c);
                }
            }
        }
        s.sleep_ms(kOddPauseMs);
    }
}

} // namespace

int bifurcation(State& s, VOXEL old, VOXEL*, int, int*, int*) {
    int index = 0;
    if (s.oddflag == 0) {
        const Axes ax(s.res, 2.9, 4.0, -0.1, 2.2);
        draw_curves(s, ax, index);
        draw_classic_diagram(s, ax, old.x, index);
    } else {
        const Axes ax(s.res, 0.9, 3.0, -1.5, 1.5);
        draw_odd_diagram(s, ax, old.x, index);
    }
    return kComplete;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// Animations rather than accumulating pictures: each call draws the newest
// position and erases one drawn some steps earlier, leaving a moving trail.
#include "core/numeric.h"
#include "formulas/masks.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

// Samardzija
constexpr double kSa = -0.6, kSb = 1.2, kSc = 0.2, kSd = -0.6;
constexpr int kSamardzijaSettle = 1000; // steps 0..1000 of a run only fill the ring
constexpr int kSamardzijaPauseMs = 2;
constexpr int kColorEvery = 50;
constexpr int kCountLimit = 2147483645;

bool on_image(const Params& ps, int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(ps.res) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(ps.res);
}

// Erases the ring entry and draws the new pixel; the window gets both when the
// new pixel is visible.
void draw_trail(const Params& ps, RenderContext& rc, Point erase, Point now, Rgb c) {
    rc.canvas.set_pixel(erase.x, erase.y, ps.back); // the canvas is res x res: it clips
    rc.canvas.set_pixel(now.x, now.y, c);
    if (!visible(ps, rc, now.x, now.y)) return;
    // Only inside the image: beyond it the window shows black, not the
    // background, and a stored position may lie there.
    if (on_image(ps, erase.x, erase.y)) rc.window.set_pixel(erase.x, erase.y, ps.back);
    rc.window.set_pixel(now.x, now.y, c);
}

// Lissajous
constexpr double kCl = 1.5, kDl = 1.5; // frequency and phase of the horizontal motion
constexpr double kArgStep = 0.03;
constexpr double kArgLimit = 1e14;
constexpr int kEraserLag = 94; // a ball is erased 94 calls after it was drawn
constexpr int kLissajousPauseMs = 5;
constexpr int kStepCycle = 251;

struct Ball {
    int xplot, yplot, zplot; // column, floor row, ball row
    int size;                // 0..7; the ball is 2 * size + 5 pixels square
    const Mask& sprite() const { return sphere[static_cast<std::size_t>(7 - size)]; }
    int left() const { return wrap_sub(xplot, size + 2); }
    int top() const { return wrap_sub(zplot, size + 2); }
};

// The ball in perspective at path parameter t: small y0 is far, large is near.
Ball ball_at(int res, double t) {
    const int h = res / 2;
    const double y0 = 200 * std::sin(t) + h;
    const int xscale = trunc32(0.2 * (y0 - 40) + 9 * res * 0.03125);
    Ball b{};
    b.xplot = trunc32(std::sin(kCl * t + kDl) * xscale + h);
    b.yplot = trunc32((y0 - 40) * (4.0 / 15.0) + 17 * res / 24.0);
    const int zscale = trunc32(0.25 * (y0 - 40) + 5 * res / 24.0);
    b.zplot = trunc32(std::sin(2 * t) * zscale + h);
    const int size = trunc32((y0 - 40) * 0.02);
    b.size = size < 0 ? 0 : (size > 7 ? 7 : size);
    return b;
}

// Every non-zero cell of the ball's sprite, in the colour `color_of(shade)`.
template <typename ColorOf>
void paint_ball(const Params& ps, RenderContext& rc, const Ball& b, ColorOf color_of) {
    const Mask& m = b.sprite();
    for (int i = 0; i < m.width(); ++i)
        for (int j = 0; j < m.height(); ++j)
            if (const int v = m.at(i, j); v != 0)
                drawdot(ps, rc, wrap_add(b.left(), i), wrap_add(b.top(), j), color_of(v));
}

void advance_arg(double& arg) {
    arg = arg + kArgStep;
    if (arg > kArgLimit) arg = 0;
}

} // namespace

int samardzija(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    SamardzijaScratch& k = scratch(rc).selfdraw2.samardzija;
    if (iter == 0) {
        k.fifo.fill(Point{0, 0});
        k.x0 = 0.06;
        k.y0 = 0.09;
        k.sp = 0;
        k.count = 0;
        k.color = 1;
    }
    const double x0 = k.x0, y0 = k.y0;
    const double x1 = x0 + 0.05 * (kSa * x0 + kSb * y0 - k.e);
    const double y1 = y0 + 0.05 * (x0 + kSc * y0 - x0 * x0 * x0);
    k.e = k.e + 0.01 * kSd * x0;
    const Point now{trunc32(ps.res * (x1 + 2.0) * 0.25), trunc32(ps.res * (y1 + 5.0) * 0.1)};
    k.fifo[static_cast<std::size_t>(k.sp)] = now;
    if (++k.sp == kSamardzijaTrail) k.sp = 0;
    // The slot after the one just written holds the oldest position.
    if (k.count > kSamardzijaSettle && now.x < ps.res && now.y < ps.res) {
        draw_trail(ps, rc, k.fifo[static_cast<std::size_t>(k.sp)], now,
                   palette_color(ps.palette, static_cast<unsigned>(k.color)));
        rc.sleep_ms(kSamardzijaPauseMs);
        if (k.count % kColorEvery == 0 && ++k.color == 256) k.color = 1;
    }
    k.x0 = x1;
    k.y0 = y1;
    if (++k.count > kCountLimit) k.count = kSamardzijaSettle + 1;
    return kTransient;
}

int lissajous(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    LissajousScratch& k = scratch(rc).selfdraw2.lissajous;
    if (iter == 0) {
        k.arg = k.arg1 = 0.0;
        k.step = 0;
        k.count = 0;
    }
    if (++k.step == kStepCycle) k.step = 0;
    const Ball b = ball_at(ps.res, k.arg);
    drawdot(ps, rc, b.xplot, b.yplot, rgb(128, 128, 128)); // the floor mark stays
    const int step = k.step;
    paint_ball(ps, rc, b,
               [&](int v) { return palette_color(ps.palette, static_cast<unsigned>(step + v)); });
    advance_arg(k.arg);
    if (++k.count == kEraserLag + 1) {
        k.count = kEraserLag;
        paint_ball(ps, rc, ball_at(ps.res, k.arg1), [&](int) { return ps.back; });
        advance_arg(k.arg1);
    }
    rc.sleep_ms(kLissajousPauseMs);
    return kTransient;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot.h"

#include "core/speed_color.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/state.h"

#include <cmath>

namespace morv {

namespace {

bool on_image(const Params& ps, int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(ps.res) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(ps.res);
}

// The buffer entry of an on-image pixel; the driver keeps hitcount at hcres
// squared entries, so a buffer made for this resolution holds every pixel.
float* hit_entry(const Params& ps, RenderContext& rc, int x, int y) {
    if (rc.hcres != ps.res) return nullptr;
    return &rc.hitcount[static_cast<std::size_t>(y) * static_cast<std::size_t>(ps.res) + x];
}

void speed_points(const Params& ps, RenderContext& rc, int x, int y) {
    const std::uint32_t c = speed_color_index(ps, rc.v, rc.oldv);
    float* h = hit_entry(ps, rc, x, y);
    if (h == nullptr) return;
    const auto shown = static_cast<std::uint32_t>(trunc32(*h));
    if (c <= shown) return; // a pixel keeps the highest index it has shown
    drawdot(ps, rc, x, y, palette_color(ps.palette, c));
    *h = static_cast<float>(c);
    if (c > rc.hitmax) rc.hitmax = c;
}

void speed_lines(const Params& ps, RenderContext& rc, int x1, int y1, int x0, int y0) {
    if (!on_image(ps, x0, y0)) return; // not clipped: not drawn at all
    const Rgb col = palette_color(ps.palette, speed_color_index(ps, rc.v, rc.oldv));
    rc.canvas.line({x0, y0}, {x1, y1}, ps.linewidth, col);
    if (visible(ps, rc, x0, y0) && visible(ps, rc, x1, y1))
        rc.window.line({x0, y0}, {x1, y1}, ps.linewidth, col);
}

void hit_count(const Params& ps, RenderContext& rc, int x, int y) {
    float* h = hit_entry(ps, rc, x, y);
    if (h == nullptr) return;
    const std::uint32_t n = static_cast<std::uint32_t>(trunc32(*h)) + 1u;
    *h += 1.0f;
    if (n > rc.hitmax) rc.hitmax = n;
    drawdot(ps, rc, x, y, palette_color(ps.palette, n < 255 ? n : 255));
}

void z_plane(const Params& ps, RenderContext& rc, int x, int y) {
    float* h = hit_entry(ps, rc, x, y);
    if (h == nullptr) return;
    const auto shown = static_cast<std::uint32_t>(trunc32(*h));
    const double zf = std::fabs(rc.v.z) * 255;
    std::uint32_t c = static_cast<std::uint32_t>(trunc32(zf));
    if (c == 0) c = 1;
    if (c <= shown) return;
    *h = static_cast<float>(zf);
    if (c > rc.hitmax) rc.hitmax = c;
    if (c >= 255) {
        drawdot(ps, rc, x, y, palette_color(ps.palette, 255));
        return;
    }
    // Blend entries c and c + 1 by the fraction of zf.
    const double lo = std::floor(zf), hi = std::ceil(zf);
    double f = hi == lo ? 0.0 : (zf - lo) / (hi - lo);
    if (!(f >= 0.0)) f = 0.0;
    if (f > 1.0) f = 1.0;
    const RGB& a = ps.palette[c];
    const RGB& b = ps.palette[c + 1];
    int ch[3];
    for (int i = 0; i < 3; ++i)
        ch[i] = trunc32((b[i] - a[i]) * f + a[i]) & 0xFF;
    drawdot(ps, rc, x, y, rgb(ch[0], ch[1], ch[2]));
}

} // namespace

int plot(const Params& ps, RenderContext& rc, int xplot1, int yplot1, int xplot0, int yplot0) {
    const int m = ps.method[ps.type];
    if (m < kMethodSpeedPoints || m > kMethodZPlane || !on_image(ps, xplot1, yplot1)) return 0;
    switch (m) {
    case kMethodSpeedPoints:
        speed_points(ps, rc, xplot1, yplot1);
        break;
    case kMethodSpeedLines:
        speed_lines(ps, rc, xplot1, yplot1, xplot0, yplot0);
        break;
    case kMethodHitCount:
        hit_count(ps, rc, xplot1, yplot1);
        break;
    case kMethodZPlane:
        z_plane(ps, rc, xplot1, yplot1);
        break;
    }
    return 0;
}

} // namespace morv

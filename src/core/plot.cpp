#include "core/plot.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/state.h"

#include <cmath>

namespace morv {

namespace {

// Colour index of the speed methods, before the 1..255 limit.
std::uint32_t speed_index(const State& s) {
    const SpeedRule rule = valid_type(s.type) ? catalogue[s.type].speed : SpeedRule::Step;
    switch (rule) {
    case SpeedRule::Depth:
        return static_cast<std::uint32_t>(
            trunc32((s.res * 0.07518796992481203 + s.v.z) * 1300 / s.res));
    case SpeedRule::Height:
        return static_cast<std::uint32_t>(trunc32(s.v.z * 10));
    case SpeedRule::Step:
        break;
    }
    const double dx = s.v.x - s.oldv.x, dy = s.v.y - s.oldv.y;
    return static_cast<std::uint32_t>(trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0)));
}

std::uint32_t limit_index(std::uint32_t c) {
    return c == 0 ? 1 : (c > 255 ? 255 : c);
}

bool on_image(const Params& s, int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(s.res) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(s.res);
}

// The buffer entry of an on-image pixel; the driver keeps hitcount at hcres
// squared entries, so a buffer made for this resolution holds every pixel.
float* hit_entry(State& s, int x, int y) {
    if (s.hcres != s.res) return nullptr;
    return &s.hitcount[static_cast<std::size_t>(y) * static_cast<std::size_t>(s.res) + x];
}

void speed_points(State& s, int x, int y) {
    const std::uint32_t c = limit_index(speed_index(s));
    float* h = hit_entry(s, x, y);
    if (h == nullptr) return;
    const auto shown = static_cast<std::uint32_t>(trunc32(*h));
    if (c <= shown) return; // a pixel keeps the highest index it has shown
    drawdot(s, x, y, palette_color(s.palette, c));
    *h = static_cast<float>(c);
    if (c > s.hitmax) s.hitmax = c;
}

void speed_lines(State& s, int x1, int y1, int x0, int y0) {
    if (!on_image(s, x0, y0)) return; // not clipped: not drawn at all
    const COLORREF col = palette_color(s.palette, limit_index(speed_index(s)));
    s.canvas.line({x0, y0}, {x1, y1}, s.linewidth, col);
    if (visible(s, x0, y0) && visible(s, x1, y1))
        s.window.line({x0, y0}, {x1, y1}, s.linewidth, col);
}

void hit_count(State& s, int x, int y) {
    float* h = hit_entry(s, x, y);
    if (h == nullptr) return;
    const std::uint32_t n = static_cast<std::uint32_t>(trunc32(*h)) + 1u;
    *h += 1.0f;
    if (n > s.hitmax) s.hitmax = n;
    drawdot(s, x, y, palette_color(s.palette, n < 255 ? n : 255));
}

void z_plane(State& s, int x, int y) {
    float* h = hit_entry(s, x, y);
    if (h == nullptr) return;
    const auto shown = static_cast<std::uint32_t>(trunc32(*h));
    const double zf = std::fabs(s.v.z) * 255;
    std::uint32_t c = static_cast<std::uint32_t>(trunc32(zf));
    if (c == 0) c = 1;
    if (c <= shown) return;
    *h = static_cast<float>(zf);
    if (c > s.hitmax) s.hitmax = c;
    if (c >= 255) {
        drawdot(s, x, y, palette_color(s.palette, 255));
        return;
    }
    // Blend entries c and c + 1 by the fraction of zf.
    const double lo = std::floor(zf), hi = std::ceil(zf);
    double f = hi == lo ? 0.0 : (zf - lo) / (hi - lo);
    if (!(f >= 0.0)) f = 0.0;
    if (f > 1.0) f = 1.0;
    const RGB& a = s.palette[c];
    const RGB& b = s.palette[c + 1];
    int ch[3];
    for (int i = 0; i < 3; ++i)
        ch[i] = trunc32((b[i] - a[i]) * f + a[i]) & 0xFF;
    drawdot(s, x, y, rgb(ch[0], ch[1], ch[2]));
}

} // namespace

int plot(State& s, int xplot1, int yplot1, int xplot0, int yplot0) {
    const int m = s.method[s.type];
    if (m < kMethodSpeedPoints || m > kMethodZPlane || !on_image(s, xplot1, yplot1)) return 0;
    switch (m) {
    case kMethodSpeedPoints:
        speed_points(s, xplot1, yplot1);
        break;
    case kMethodSpeedLines:
        speed_lines(s, xplot1, yplot1, xplot0, yplot0);
        break;
    case kMethodHitCount:
        hit_count(s, xplot1, yplot1);
        break;
    case kMethodZPlane:
        z_plane(s, xplot1, yplot1);
        break;
    }
    return 0;
}

} // namespace morv

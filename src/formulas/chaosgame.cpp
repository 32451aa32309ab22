// SPDX-License-Identifier: GPL-3.0-or-later
// Chaos games: Sierpinski polygons and the affine IFS (ferns). Both pick a
// contracting map at random per call and draw the point themselves once the
// first 100 points have settled onto the attractor.
#include "formulas/chaosgame.h"
#include "core/options.h"
#include "core/view.h"
#include "formulas/selfdraw1_helpers.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

constexpr int kWarmup = 100; // points computed before the first dot
constexpr double kSqrt3Half = 0.8660254037844386;
constexpr double kMargin = 20; // pixels between the polygon and the canvas edge

// Vertices per polygon layout, and the fraction of the distance to the chosen
// vertex that is kept; the overlapped layouts differ only by the fraction.
constexpr std::array<int, kSierpinskiModes> rindex{3, 4, 5, 6, 5, 6};
constexpr std::array<double, kSierpinskiModes> keep{0.5, 0.475, 0.382, 1.0 / 3.0, 0.5, 0.5};

// smode reaches the state through the dialog and parameter files; a value
// outside 0..5 must never index the tables.
int sierpinski_mode(int smode) {
    if (smode < 0) return 0;
    return smode < kSierpinskiModes ? smode : kSierpinskiModes - 1;
}

void set_vertices(SierpinskiScratch& sc, const Params& ps) {
    const double r = ps.dres;
    auto& v = sc.vertex;
    switch (sc.mode) {
    case 0: {
        const double h = r * kSqrt3Half;
        v[0] = {r * 0.5, (r - h) * 0.5 + kMargin, 0};
        v[1] = {kMargin, r - (r - h) * 0.5 - kMargin, 0};
        v[2] = {r - kMargin, v[1].y, 0};
        break;
    }
    case 1:
        v[0] = {r / 2, kMargin, 0};
        v[1] = {kMargin, r / 2, 0};
        v[2] = {r - kMargin, r / 2, 0};
        v[3] = {r / 2, r - kMargin, 0};
        break;
    case 2:
    case 4: {
        // A regular pentagon of circumradius h centred at (m, m + 20).
        const double m = r * 0.5, h = m - kMargin;
        v[0] = {m, 40, 0};
        v[1] = {m - 0.951 * h, m - 0.309 * h + kMargin, 0};
        v[2] = {m + 0.951 * h, m - 0.309 * h + kMargin, 0};
        v[3] = {m - 0.588 * h, m + 0.809 * h + kMargin, 0};
        v[4] = {m + 0.588 * h, m + 0.809 * h + kMargin, 0};
        break;
    }
    default: {
        const double h = r * kSqrt3Half;
        v[0] = {kMargin, r / 2, 0};
        v[1] = {(r - 40) * 0.25 + kMargin, (r - h) * 0.5 + kMargin, 0};
        v[2] = {(r - 40) * 0.75 + kMargin, v[1].y, 0};
        v[3] = {v[1].x, r - (r - h) * 0.5 - kMargin, 0};
        v[4] = {v[2].x, v[3].y, 0};
        v[5] = {static_cast<double>(ps.res) - kMargin, r / 2, 0};
        break;
    }
    }
}

// The count read before the increment picks the colour, so a first hit shows
// entry 0. Without a hit-count buffer (the render's method is not Hit Count)
// there is nothing to count and the dot takes the foreground colour.
Rgb sierpinski_count_colour(const Params& ps, RenderContext& rc, int x, int y) {
    float* h = hitcount_at(ps, rc, x, y);
    if (h == nullptr) return ps.fore;
    const auto n = static_cast<std::uint32_t>(trunc32(*h));
    if (n < 4294967294u) *h += 1.0f;
    if (n > rc.hitmax) rc.hitmax = n;
    return palette_color(ps.palette, n < 255 ? n : 255);
}

// Here the count after the increment picks the colour: a first hit shows 1.
Rgb fern_count_colour(const Params& ps, RenderContext& rc, int x, int y) {
    float* h = hitcount_at(ps, rc, x, y);
    if (h == nullptr) return ps.fore;
    *h += 1.0f;
    const auto n = static_cast<std::uint32_t>(trunc32(*h));
    if (n > rc.hitmax) rc.hitmax = n;
    return palette_color(ps.palette, n < 255 ? n : 255);
}

bool subnormal(double v) {
    return v != 0.0 && std::fabs(v) < 1e-308;
}

} // namespace

// The sums are formed wide: a table read from a file need not be sane, and
// whatever it holds the answer is one of the six maps.
int fern_map(const std::array<int, 6>& fp, int r) {
    long long sum = 0;
    for (int k = 0; k < 5; ++k) {
        sum += fp[k];
        if (r < sum) return k;
    }
    return 5;
}

int sierpinski(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    SierpinskiScratch& sc = scratch(rc).selfdraw1.sierpinski;
    if (iter == 0) {
        rc.seed_from_clock();
        sc.mode = sierpinski_mode(ps.smode);
        set_vertices(sc, ps);
        sc.x0 = sc.y0 = ps.dres * 0.5;
    }
    const Point3& v = sc.vertex[rc.rand() % rindex[sc.mode]];
    const double r = keep[sc.mode];
    sc.x0 = (sc.x0 - v.x) * r + v.x;
    sc.y0 = (sc.y0 - v.y) * r + v.y;
    if (iter >= kWarmup) {
        const int x = trunc32(sc.x0), y = trunc32(sc.y0);
        sc.cr = ps.scmode == 0 ? ps.fore : sierpinski_count_colour(ps, rc, x, y);
        drawdot(ps, rc, x, y, sc.cr);
    }
    return kTransient;
}

int fern(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    FernScratch& sc = scratch(rc).selfdraw1.fern;
    if (iter == 0) {
        rc.seed_from_clock();
        sc.x0 = sc.y0 = 0.1; // a fixed start: the type's start point is not used
    }
    const auto& m = ps.f[fern_map(ps.fp, rc.rand() % 100)];
    const double x1 = m[0] * sc.x0 + m[1] * sc.y0 + m[4];
    const double y1 = m[2] * sc.x0 + m[3] * sc.y0 + m[5];
    // An orbit decaying into the subnormal range has collapsed: the image is done.
    if (subnormal(x1) || subnormal(y1)) return kComplete;
    sc.x0 = x1;
    sc.y0 = y1;
    if (iter >= kWarmup) {
        int x = 0, y = 0;
        map_to_pixel(ps, x1, y1, &x, &y);
        if (static_cast<unsigned>(x) < static_cast<unsigned>(ps.res) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(ps.res))
            drawdot(ps, rc, x, y, ps.ifscmode == 0 ? ps.fore : fern_count_colour(ps, rc, x, y));
    }
    return kTransient;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// Orbits of the area-preserving quadratic map whose nested invariant curves
// are KAM tori: one orbit per call stacked in depth, or a whole randomized
// picture in one call.
#include "core/numeric.h"
#include "core/rotation.h"
#include "formulas/steps.h"

#include <cmath>

namespace morv {

namespace {

constexpr int kOrbitPoints = 110;
constexpr double kEscape = 1000000.0;
constexpr double kOrbitStep = 0.005;
constexpr double kLastOrbit = 6.0;
constexpr int kOrbitPauseMs = 5;

// The step length as a palette index, as the speed colouring does: 170 per unit.
unsigned step_color_index(double dx, double dy) {
    const int c = trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0));
    return c > 255 ? 255u : (c < 1 ? 1u : static_cast<unsigned>(c));
}

// The randomized torus: the map with its rotation scaled by `mult`.
struct ScaledMap {
    double cosine, sine;
    void apply(double& x, double& y) const {
        const double xa = x * x - y;
        const double nx = x * cosine + xa * sine;
        y = x * sine - xa * cosine;
        x = nx;
    }
};

constexpr double kMult1 = 0.999; // the inner orbits contract
constexpr double kMult2 = 1.001; // the outer walk expands
constexpr unsigned kOuterSteps = 20000;
constexpr int kInnerSteps = 100; // an inner orbit has at most 101 points
constexpr double kRandomEscape = 2000;

} // namespace

int kamtorus(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    KamTorusScratch& k = scratch(rc).selfdraw2.kamtorus;
    if (iter == 0) {
        k.sin_theta = std::sin(1.3);
        k.cos_theta = std::cos(1.3);
        k.orbit = 0.0;
    }
    const double scale = ps.p[ps.type].sp0;
    Point3 p0{k.orbit / 3, k.orbit / 3, 0};
    for (int i = 0; i < kOrbitPoints; ++i) {
        const double q = p0.x * p0.x - p0.y;
        const Point3 p1{p0.x * k.cos_theta + q * k.sin_theta, p0.x * k.sin_theta - q * k.cos_theta,
                        k.orbit - 1.25};
        const double dx = p1.x - p0.x, dy = p1.y - p0.y;
        p0.x = p1.x;
        p0.y = p1.y;
        Point3 p1rotate;
        rotatexyz(ps, p1, &p1rotate); // always, also when every angle is 0
        const int x = trunc32(trunc32(p1rotate.x * scale * ps.res * 0.35) + 0.4 * ps.res);
        const int y =
            wrap_sub(wrap_sub(ps.res, 1),
                     trunc32(trunc32(p1rotate.y * scale * ps.res * 0.35) + 0.475 * ps.res));
        drawdot(ps, rc, x, y, palette_color(ps.palette, step_color_index(dx, dy)));
        if (std::fabs(p1.x) >= kEscape || std::fabs(p1.y) >= kEscape) break;
    }
    rc.sleep_ms(kOrbitPauseMs);
    k.orbit = k.orbit + kOrbitStep;
    return k.orbit > kLastOrbit ? kComplete : kTransient;
}

int rpkamtorus(const Params& ps, RenderContext& rc, Point3, Point3*, int iter, int*, int*) {
    if (iter == 0) rc.seed_from_clock();
    const double r1 = rc.morvrandom();
    const double r2 = rc.morvrandom();
    const double an = (r1 - r2) * 10.0;
    const ScaledMap inner{std::cos(an) * kMult1, std::sin(an) * kMult1};
    const ScaledMap outer{std::cos(an) * kMult2, std::sin(an) * kMult2};
    const int nx = ps.res / 2, ny = ps.res / 2;
    const double ax = ps.res, ay = ps.res;
    unsigned c = 1;
    double x3 = 0.01, y3 = 0.01;
    for (unsigned count = 0; count < kOuterSteps; ++count) {
        outer.apply(x3, y3);
        double x = x3, y = y3;
        const Rgb col = palette_color(ps.palette, c);
        for (int a = 0; a <= kInnerSteps;) {
            inner.apply(x, y);
            ++a;
            // The plane square -1..1 fills the canvas; y grows downward.
            drawdot(ps, rc, trunc32(ax * x * 0.5 + nx), trunc32(ay * y * 0.5 + ny), col);
            if (std::fabs(x) > kRandomEscape || std::fabs(y) > kRandomEscape) break;
        }
        if (++c == 256) c = 1;
        if (std::fabs(x3) > kRandomEscape || std::fabs(y3) > kRandomEscape) break;
    }
    return kComplete;
}

} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
// The chaos measures (Lyapunov exponent, box-counting dimension) and the
// random parameter search built on them.
#include "analysis/lyapunov.h"
#include "analysis/random.h"

#include "core/catalogue.h"
#include "core/state.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace morv {
namespace {

constexpr int kDeJong = 6; // scheme B
constexpr int kIris = 26;  // scheme A
constexpr int kSpirals = 36;
// What a separation clamped at 1e-10 gives: log2 of it.
const double kClamped = 1.442694 * std::log(1e-10);

// Steps for hand-made orbits; `stay` sends every point to one fixed point
// and `spread_z` separates only in z (the x-y distance is always 0).
int stay(const Params&, RenderContext&, Point3, Point3* next, int, int*, int*) {
    *next = Point3{0.25, 0.25, 0};
    return kPlot;
}
int run_away(const Params&, RenderContext&, Point3 old, Point3* next, int, int*, int*) {
    *next = Point3{old.x + 1000, old.y, 0};
    return kPlot;
}
int spread_z(const Params&, RenderContext&, Point3 old, Point3* next, int, int*, int*) {
    *next = Point3{0.25, 0.25, old.z + old.x * 1e3};
    return kPlot;
}
int blow_up(const Params&, RenderContext&, Point3 old, Point3* next, int, int*, int*) {
    *next = Point3{old.x * 1e10, old.y * 1e10, 0};
    return kPlot;
}
// Steps that see the parameters through the state (`chaotic` is a Peter de
// Jong map, chaotic for most coefficients; `fixed` makes main and shadow
// orbits coincide). The lyapunov runs are counted in `count`, which nothing
// else uses while paused.
int chaotic(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter, int*, int*) {
    if (iter == 0) ++rc.count;
    const TypeParams& p = ps.p[ps.type];
    next->x = std::sin(p.a * old.y) - std::cos(p.b * old.x);
    next->y = std::sin(p.c * old.x) - std::cos(p.d * old.y);
    return kPlot;
}
int fixed(const Params& ps, RenderContext& rc, Point3 v, Point3* next, int iter, int* x, int* y) {
    if (iter == 0) ++rc.count;
    return stay(ps, rc, v, next, iter, x, y);
}

State at_point(double x, double y) {
    State s;
    s.steps = &fpointer;
    s.p[0].xstart = x;
    s.p[0].ystart = y;
    s.mm[0] = ViewWindow{-1, 1, -1, 1};
    return s;
}

State of_type(int type, std::int64_t clock = 7) {
    State s;
    s.steps = &fpointer;
    s.type = type;
    s.platform.now_seconds = [clock] { return clock; };
    return s;
}

TEST(Lyapunov, HandMadeOrbits) {
    State s = at_point(0.25, 0.25);
    BoxGrids g;
    const auto m = lyapunov(s, stay, &g); // a fixed point clamps every separation
    ASSERT_TRUE(m);
    EXPECT_NEAR(m->lexp, kClamped, 1e-9);
    EXPECT_EQ(std::tuple(g.count16, g.count32, m->fd), std::tuple(1, 1, 0.0));
    State away = at_point(0.5, 0.5); // outside the window: nothing marked
    EXPECT_EQ(lyapunov(away, run_away, &g)->fd, 0.0);
    EXPECT_EQ(std::pair(g.count16, g.count32), std::pair(0, 0));
    State z = at_point(0.5, 0.5); // a z separation counts as none
    EXPECT_NEAR(lyapunov(z, spread_z)->lexp, kClamped, 1e-9);
    State nan = at_point(0.5, 0.5); // infinities or NaN fail every at-least test
    EXPECT_FALSE(lyapunov(nan, blow_up, &g)->lexp >= 0.1);
    EXPECT_EQ(g.count16, 0);
}

TEST(BoxCount, CellBoundsAreUnoffsetAndInclusive) {
    BoxGrids g;
    const ViewWindow mm{-1, 1, -1, 1}; // width 2: 16-grid bounds -1.75, -1.5, ..., 2
    prepare_grids(g, mm);
    EXPECT_EQ(std::pair(g.step16x[0], g.step32y[31]), std::pair(-1.75, 2.0));
    // On the bound 0.25 (16-grid index 8, 32-grid index 17): the lower cell.
    boxcount(g, mm, Point3{0.25, 0.25, 0});
    EXPECT_EQ(std::pair(g.N16[8][8], g.N32[17][17]), std::pair(1, 1));
    // A symmetric window only reaches the middle cells: x = -1 lies in column 3.
    boxcount(g, mm, Point3{-1, 1, 0});
    EXPECT_EQ(g.N16[11][3], 1);
    boxcount(g, mm, Point3{1.0001, 0, 0});
    boxcount(g, mm, Point3{std::numeric_limits<double>::quiet_NaN(), 0, 0});
    EXPECT_EQ(fractaldimension(g), 0.0); // two cells in each grid
    EXPECT_EQ(std::pair(g.count16, g.count32), std::pair(2, 2));
    // Four 32-cells inside one 16-cell: log2(4 / 1) = 2.
    BoxGrids q;
    prepare_grids(q, mm);
    for (double x : {0.1, 0.2})
        for (double y : {0.1, 0.2})
            boxcount(q, mm, Point3{x, y, 0});
    EXPECT_DOUBLE_EQ(fractaldimension(q), 2.0);
}

// Every type either gives an orbit to measure, without waiting, or is refused
// at once: a self-drawing type's call can cost a whole picture.
TEST(Lyapunov, SelfDrawingTypesAreRefusedAndMeasurementsSkipWaits) {
    int measured = 0, colouring = 0;
    for (int type = 0; type < NTYPES; ++type) {
        colouring += !draws_by_itself(catalogue[type]);
        State s = of_type(type);
        int waits = 0;
        s.platform.sleep_ms = [&waits](int) { ++waits; };
        const bool can = measurable(s);
        const auto m = lyapunov(s);
        EXPECT_EQ(m.has_value(), can) << type;
        EXPECT_EQ(waits, 0) << type;
        s.sleep_ms(1); // the waits are back for rendering
        EXPECT_EQ(waits, 1) << type;
        measured += can;
        if (type == 0) {
            EXPECT_NEAR(m->lexp, 0.6, 0.05); // Henon: about 0.60 bits (0.42 nats) per iteration
            EXPECT_GT(m->fd, 1.0);
        }
    }
    EXPECT_EQ(measured, colouring - 1); // but Frothy Basin, which scans the plane by default
    State frothy = of_type(18);         // a finite attractor, or a scan of the plane
    for (int flag : {1, 0}) {
        frothy.basinflag = flag;
        EXPECT_EQ(measurable(frothy), flag == 1);
    }
}

TEST(ParamClip, RoundsCoefficientsDownToTwelveDecimals) {
    TypeParams p{1e-13, 1e-13, 1e-13, 0.5, 1e-13, -1e-13, 0.1234567890123456, -2.5, 1.0};
    paramclip(&p); // the start point is left alone; c goes towards minus infinity
    EXPECT_EQ(p, (TypeParams{1e-13, 1e-13, 1e-13, 0.5, 0.0, -1e-12, 0.123456789012, -2.5, 1.0}));
}

TEST(RandomSearch, SchemeBKeepsStartPointAndSpecialParameters) {
    State s = of_type(kDeJong);
    s.p[kDeJong].xstart = 0.125;
    s.p[kDeJong].sp0 = 3.5;
    s.p[kDeJong].sp1 = -4.5;
    const TypeParams before = s.p[kDeJong];
    const RandomResult r = randomparams(s, chaotic, ChaosMeasure{});
    ASSERT_EQ(r.code, kRandomAccepted);
    const TypeParams& p = s.p[kDeJong];
    EXPECT_EQ((TypeParams{p.xstart, p.ystart, p.zstart, 0, 0, 0, 0, p.sp0, p.sp1}),
              (TypeParams{before.xstart, before.ystart, before.zstart, 0, 0, 0, 0, 3.5, -4.5}));
    for (double v : {p.a, p.b, p.c, p.d}) {
        EXPECT_GE(std::fabs(v), 0.5);
        EXPECT_LE(std::fabs(v), 3.0);
        EXPECT_NEAR(v * 1e12, std::round(v * 1e12), 1e-3); // multiples of 1e-12
    }
    EXPECT_GE(std::fabs(p.a) + std::fabs(p.b) * std::fabs(p.c), 1.0);
    EXPECT_GE(r.measure.lexp, 0.3);
    EXPECT_EQ(r.set, p);
    // The clock seeds the generator: the same second gives the same set.
    State again = of_type(kDeJong);
    again.p[kDeJong] = before;
    randomparams(again, chaotic, ChaosMeasure{});
    EXPECT_EQ(again.p[kDeJong], p);
}

TEST(RandomSearch, GivesUpAfter99CandidatesWithParametersRestored) {
    for (int type : {kDeJong, kIris}) {
        State s = of_type(type);
        const TypeParams before = s.p[type];
        const RandomResult r = randomparams(s, fixed, ChaosMeasure{});
        EXPECT_EQ(r.code, kRandomNotFound) << type;
        EXPECT_EQ(s.p[type], before) << type;
        // Scheme A measures every candidate.
        EXPECT_TRUE(type == kIris ? s.count == 99 : s.count <= 99) << s.count;
        EXPECT_LT(r.measure.lexp, -33.0);
    }
}

// Spirals take the first candidate without measuring; a debug confirmation
// shows it and can decline it.
TEST(RandomSearch, SpiralsTakeTheFirstCandidateAndTheConfirmationCanDecline) {
    State s = of_type(kSpirals);
    const TypeParams before = s.p[kSpirals];
    std::string text;
    auto no = [&](const std::string& t) {
        text += t;
        return false;
    };
    EXPECT_EQ(randomparams(s, fixed, ChaosMeasure{}, no).code, kRandomDeclined);
    EXPECT_EQ(s.p[kSpirals], before);
    EXPECT_EQ(text.rfind("count: 1\na: ", 0), 0u);
    EXPECT_EQ(text.find("count: ", 1), std::string::npos); // asked once
    EXPECT_NE(text.find("\nLyapunov exponent: "), std::string::npos);
    const RandomResult r = randomparams(s, fixed, ChaosMeasure{123, 4});
    ASSERT_EQ(r.code, kRandomAccepted);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(std::pair(r.measure.lexp, r.measure.fd), std::pair(123.0, 4.0)); // the one in force
    const TypeParams& p = s.p[kSpirals];
    EXPECT_GE(p.sp1, 1.0);
    EXPECT_LE(p.sp1, 1.05);
    for (double v : {p.a, p.b, p.c, p.d, p.sp0}) {
        EXPECT_GE(std::fabs(v), 0.01);
        EXPECT_LE(std::fabs(v), 2.0);
    }
    EXPECT_EQ(randomparams(s, fixed, ChaosMeasure{}, [](const std::string&) { return true; }).code,
              kRandomAccepted);
    const std::string t =
        random_confirm_text(3, TypeParams{0, 0, 0, 0.5, -1, 2, 0.25, 0, 0}, 0.5, 1e300);
    EXPECT_EQ(t.rfind("count: 3\na: 0.500000000000000\nb: -1.000000000000000\nc: 2.0", 0), 0u);
    EXPECT_GT(t.size(), 300u); // the huge dimension is written in full
}

TEST(RandomSearch, TypesWithoutTheSearchAreRefused) {
    State s = of_type(0);
    const TypeParams before = s.p[0];
    EXPECT_FALSE(random_search_offered(s));
    EXPECT_EQ(randomparams(s, chaotic, ChaosMeasure{}).code, kRandomNotOffered);
    EXPECT_EQ(randomparams(s, ChaosMeasure{}).code, kRandomNotOffered);
    EXPECT_EQ(s.p[0], before);
    State nostep = of_type(kDeJong);
    nostep.steps = nullptr;
    EXPECT_EQ(randomparams(nostep, ChaosMeasure{}).code, kRandomNotOffered);
}

} // namespace
} // namespace morv

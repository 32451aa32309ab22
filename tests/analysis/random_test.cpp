#include "analysis/random.h"

#include "core/state.h"
#include "formulas/steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace morv {
namespace {

constexpr int kDeJong = 6; // scheme B
constexpr int kIris = 26;  // scheme A
constexpr int kSpirals = 36;

// Steps that see the parameters through the state (`chaotic` is a Peter de
// Jong map, chaotic for most coefficients). The test's lyapunov runs
// are counted in `count`, which nothing else uses while paused.
int chaotic(const Params& ps, RenderContext& rc, VOXEL old, VOXEL* next, int iter, int*, int*) {
    if (iter == 0) ++rc.count;
    const PARAM& p = ps.p[ps.type];
    next->x = std::sin(p.a * old.y) - std::cos(p.b * old.x);
    next->y = std::sin(p.c * old.x) - std::cos(p.d * old.y);
    return kPlot;
}
// Every point goes to one point: main and shadow orbits coincide.
int fixed(const Params&, RenderContext& rc, VOXEL, VOXEL* next, int iter, int*, int*) {
    if (iter == 0) ++rc.count;
    *next = VOXEL{0.25, 0.25, 0};
    return kPlot;
}

State of_type(int type, std::int64_t clock = 7) {
    State s;
    s.steps = &fpointer;
    s.type = type;
    s.platform.now_seconds = [clock] { return clock; };
    return s;
}

TEST(ParamClip, RoundsCoefficientsDownToTwelveDecimals) {
    PARAM p{1e-13, 1e-13, 1e-13, 0.5, 1e-13, -1e-13, 0.1234567890123456, -2.5, 1.0};
    paramclip(&p);
    EXPECT_EQ(p.xstart, 1e-13); // the start point is left alone
    EXPECT_EQ(p.zstart, 1e-13);
    EXPECT_EQ(p.a, 0.5);
    EXPECT_EQ(p.b, 0.0);
    EXPECT_EQ(p.c, -1e-12); // towards minus infinity
    EXPECT_EQ(p.d, 0.123456789012);
    EXPECT_EQ(p.sp0, -2.5);
    EXPECT_EQ(p.sp1, 1.0);
}

TEST(RandomSearch, SchemeBKeepsStartPointAndSpecialParameters) {
    State s = of_type(kDeJong);
    s.p[kDeJong].xstart = 0.125;
    s.p[kDeJong].sp0 = 3.5;
    s.p[kDeJong].sp1 = -4.5;
    const PARAM before = s.p[kDeJong];
    const RandomResult r = randomparams(s, chaotic, ChaosMeasure{});
    ASSERT_EQ(r.code, kRandomAccepted);
    const PARAM& p = s.p[kDeJong];
    EXPECT_EQ(p.xstart, before.xstart);
    EXPECT_EQ(p.ystart, before.ystart);
    EXPECT_EQ(p.zstart, before.zstart);
    EXPECT_EQ(p.sp0, 3.5);
    EXPECT_EQ(p.sp1, -4.5);
    for (double v : {p.a, p.b, p.c, p.d}) {
        EXPECT_GE(std::fabs(v), 0.5);
        EXPECT_LE(std::fabs(v), 3.0);
    }
    EXPECT_GE(std::fabs(p.a) + std::fabs(p.b) * std::fabs(p.c), 1.0);
    EXPECT_GE(r.measure.lexp, 0.3);
    EXPECT_TRUE(r.set == p);
    for (double v : {p.a, p.b, p.c, p.d}) // multiples of 1e-12
        EXPECT_NEAR(v * 1e12, std::round(v * 1e12), 1e-3);

    // The clock seeds the generator: the same second gives the same set.
    State again = of_type(kDeJong);
    again.p[kDeJong] = before;
    randomparams(again, chaotic, ChaosMeasure{});
    EXPECT_TRUE(again.p[kDeJong] == p);
}

TEST(RandomSearch, GivesUpAfter99CandidatesWithParametersRestored) {
    for (int type : {kDeJong, kIris}) {
        State s = of_type(type);
        const PARAM before = s.p[type];
        const RandomResult r = randomparams(s, fixed, ChaosMeasure{});
        EXPECT_EQ(r.code, kRandomNotFound) << type;
        EXPECT_TRUE(s.p[type] == before) << type;
        // Scheme A measures every candidate.
        EXPECT_TRUE(type == kIris ? s.count == 99 : s.count <= 99) << s.count;
        EXPECT_LT(r.measure.lexp, -33.0);
    }
}

TEST(RandomSearch, SpiralsTakeTheFirstCandidateWithoutMeasuring) {
    State s = of_type(kSpirals);
    const RandomResult r = randomparams(s, fixed, ChaosMeasure{123, 4});
    ASSERT_EQ(r.code, kRandomAccepted);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(std::pair(r.measure.lexp, r.measure.fd), std::pair(123.0, 4.0)); // the one in force
    const PARAM& p = s.p[kSpirals];
    EXPECT_GE(p.sp1, 1.0);
    EXPECT_LE(p.sp1, 1.05);
    for (double v : {p.a, p.b, p.c, p.d, p.sp0}) {
        EXPECT_GE(std::fabs(v), 0.01);
        EXPECT_LE(std::fabs(v), 2.0);
    }
}

TEST(RandomSearch, DebugConfirmationCanDecline) {
    State s = of_type(kSpirals);
    const PARAM before = s.p[kSpirals];
    int asked = 0;
    std::string text;
    auto no = [&](const std::string& t) {
        ++asked;
        text = t;
        return false;
    };
    EXPECT_EQ(randomparams(s, fixed, ChaosMeasure{}, no).code, kRandomDeclined);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(s.p[kSpirals] == before);
    EXPECT_EQ(text.rfind("count: 1\na: ", 0), 0u);
    EXPECT_NE(text.find("\nLyapunov exponent: "), std::string::npos);
    EXPECT_EQ(randomparams(s, fixed, ChaosMeasure{}, [](const std::string&) { return true; }).code,
              kRandomAccepted);

    const std::string t =
        random_confirm_text(3, PARAM{0, 0, 0, 0.5, -1, 2, 0.25, 0, 0}, 0.5, 1e300);
    EXPECT_EQ(t.rfind("count: 3\na: 0.500000000000000\nb: -1.000000000000000\nc: 2.0", 0), 0u);
    EXPECT_GT(t.size(), 300u); // the huge dimension is written in full
}

TEST(RandomSearch, TypesWithoutTheSearchAreRefused) {
    State s = of_type(0);
    const PARAM before = s.p[0];
    EXPECT_FALSE(random_search_offered(s));
    EXPECT_EQ(randomparams(s, chaotic, ChaosMeasure{}).code, kRandomNotOffered);
    EXPECT_EQ(randomparams(s, ChaosMeasure{}).code, kRandomNotOffered);
    EXPECT_TRUE(s.p[0] == before);
    State nostep = of_type(kDeJong);
    nostep.steps = nullptr;
    EXPECT_EQ(randomparams(nostep, ChaosMeasure{}).code, kRandomNotOffered);
}

} // namespace
} // namespace morv

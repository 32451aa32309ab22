// SPDX-License-Identifier: GPL-3.0-or-later
// Steps called directly, outside the driver: the rules of single points that
// the golden images do not show (signs of zero, guards, what a step keeps).
#include "analysis/lyapunov.h"
#include "core/catalogue.h"
#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

namespace morv::test {
namespace {

// One direct call of the current type's step.
struct Stepped {
    Point3 v;
    int x = 0, y = 0, result = -1;
};

Stepped step_once(State& s, Point3 old, int iter) {
    Stepped r{old};
    r.result = fpointer[s.type](s, s, old, &r.v, iter, &r.x, &r.y);
    return r;
}

bool on_canvas(const State& s, const Stepped& r) {
    return r.x >= 0 && r.x < s.res && r.y >= 0 && r.y < s.res;
}

TEST(PointMaps, WaitsFollowTheSpeed) {
    const struct {
        int type, speed;
        std::vector<int> waits;
    } cases[] = {{3, 0, {}}, {3, 5, {5, 5}}, {11, 0, {10, 10}}, {11, 7, {17, 17}}};
    for (const auto& c : cases) {
        State s = make_state(c.type);
        std::vector<int> waits;
        s.platform.sleep_ms = [&](int ms) { waits.push_back(ms); };
        s.speed = c.speed;
        step_once(s, Point3{0.6, 0.6, 0.6}, 0);
        step_once(s, Point3{0.6, 0.6, 0.6}, 1);
        EXPECT_EQ(waits, c.waits) << "type " << c.type << " speed " << c.speed;
    }
}

TEST(Lorenz, IntegerZShiftBecomesTheDisplayedYWhenTurnedAboutX) {
    for (auto [res, shift] : {std::pair{600, 225}, std::pair{601, 225}, std::pair{608, 228}}) {
        State s = make_state(3, res);
        s.rot[3].x = 90;
        const Stepped r = step_once(s, Point3{0, 0, 0}, 0);
        EXPECT_EQ(std::pair(r.x, r.y), std::pair(res >> 1, res - (-shift + (res >> 1)) - 1)) << res;
    }
}

// Hopalong's sign(0) is +1 and leaves z alone; Wings' is -1.
TEST(PointMaps, SignOfZero) {
    State s = make_state(12);
    EXPECT_EQ(step_once(s, Point3{0, 0, 7}, 0).v, (Point3{-std::sqrt(4.6), 1.67, 7}));
    s = make_state(29);
    EXPECT_EQ(step_once(s, Point3{0, -0.25, 0}, 0).v, (Point3{0.5, -0.25, 0}));
}

TEST(Hpd, AngleIsReadAtTheStartOfARender) {
    State s = make_state(7);
    s.p[7].sp0 = 0;
    EXPECT_EQ(step_once(s, Point3{0.3, 0.2, 0}, 0).v, (Point3{0.3, 0.2 - 0.3 * 0.3, 0}));
    s.p[7].sp0 = 90;
    EXPECT_EQ(step_once(s, Point3{0.3, 0.2, 0}, 1).v.x, 0.3);
    const Stepped r = step_once(s, Point3{0.3, 0.2, 0}, 0);
    EXPECT_NEAR(r.v.x, -(0.2 - 0.3 * 0.3), 1e-15);
    EXPECT_NEAR(r.v.y, 0.3, 1e-15);
}

// Both re-seed every 1000th call too, which the golden images show.
TEST(Hpd, ReseedsBeyondSquaredRadiusOneE16) {
    State s = make_state(7);
    step_once(s, Point3{0.1, 0.1, 0}, 0);
    EXPECT_GT(std::fabs(step_once(s, Point3{1e8, 0, 0}, 1).v.y), 1e15); // not beyond
    EXPECT_LT(std::fabs(step_once(s, Point3{1.0000001e8, 0, 0}, 1).v.y), 3);
}

TEST(Feather, CarriedTermRestartsWithEveryRender) {
    State s = make_state(10);
    for (int run = 0; run < 2; ++run) {
        const Stepped r = step_once(s, Point3{3.0, 0.0, 0}, 0);
        EXPECT_DOUBLE_EQ(r.v.x, 1.224);
        EXPECT_DOUBLE_EQ(step_once(s, r.v, 1).v.x, 0.93 * r.v.y + 1.1876155228774916);
    }
}

TEST(Duffing, PhaseWrapsAfter628CallsAndRestartsWithARender) {
    State s = make_state(11);
    std::vector<double> forcing; // from the origin y' is h * 0.472627 * cos(phase)
    for (int call = 0; call < 629; ++call)
        forcing.push_back(step_once(s, Point3{0, 0, 0}, call == 0 ? 0 : 1).v.y);
    EXPECT_NEAR(forcing[627], 0.15915494309189535 * 0.472627 * std::cos(6.27), 1e-15);
    EXPECT_EQ(forcing[628], forcing[0]);
    step_once(s, Point3{0, 0, 0}, 1);
    EXPECT_EQ(step_once(s, Point3{0, 0, 0}, 0).v.y, forcing[0]);
}

TEST(Spirals, FoldsBeyondModulusTwoWithParametersFixedPerRun) {
    State s = make_state(36);
    s.p[36].sp0 = 0; // the map becomes (x^2 - y, x) before the fold
    s.p[36].sp1 = 1;
    EXPECT_EQ(step_once(s, Point3{0, -2, 0}, 0).v.x, 2); // exactly 2 passes
    const double beyond = std::nextafter(-2.0, -3.0);
    s.p[36].sp1 = 0.5; // not read until the next run
    const Stepped r = step_once(s, Point3{0, beyond, 0}, 1);
    EXPECT_EQ(std::pair(r.v.x, r.v.y), std::pair(-0.005 * -beyond, 0.0));
    EXPECT_DOUBLE_EQ(step_once(s, Point3{0.5, 0.1, 0}, 0).v.y, 0.25);
}

TEST(PointMaps, RunawayPointsLandOffTheCanvas) {
    const double nan = std::nan("");
    for (int type : {1, 3, 4, 5, 6, 10, 11, 12, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 37}) {
        State s = make_state(type);
        s.stormflag = 0;
        step_once(s, Point3{0.1, 0.1, 0.1}, 0);
        EXPECT_FALSE(on_canvas(s, step_once(s, Point3{nan, nan, nan}, 1))) << type;
        if ((type < 4 || type > 6) && type != 26) { // sine maps bound every point
            EXPECT_FALSE(on_canvas(s, step_once(s, Point3{1e300, -1e300, 1e300}, 1))) << type;
        }
    }
    State s = make_state(7); // hpd starts a fresh orbit instead
    step_once(s, Point3{0.1, 0.1, 0}, 0);
    EXPECT_TRUE(on_canvas(s, step_once(s, Point3{1e300, -1e300, 0}, 1)));
}

// Both curves pause every 10000th point (their pictures are golden images).
// After the pause the Butterfly is back at its start; the Chrysanthemum is
// not closed after 21 pi: point 10000 lies opposite.
TEST(Curves3d, EveryTenThousandthPointPauses) {
    for (int type : {22, 20}) {
        State s = make_state(type, type == 22 ? 200 : 240);
        const Stepped first = step_once(s, Point3{}, 0);
        for (int i = 2; i < 10000; ++i)
            ASSERT_EQ(step_once(s, Point3{}, 1).result, kPlot) << i;
        EXPECT_EQ(step_once(s, Point3{}, 1).result, kStop);
        const Stepped again = step_once(s, Point3{}, 1);
        EXPECT_EQ(again.result, kPlot);
        if (type == 22) {
            EXPECT_EQ(std::pair(again.x, again.y), std::pair(first.x, first.y));
        } else {
            EXPECT_LT(again.v.x, 0);
            EXPECT_NEAR(again.v.y, 0, 1e-9);
        }
    }
    State s = make_state(20, 240); // the counter wraps short of the int limit
    step_once(s, Point3{}, 0);
    scratch(s).selfdraw2.chrysanthemum.count = 2147479999;
    EXPECT_EQ(step_once(s, Point3{}, 1).result, kStop);
    EXPECT_EQ(scratch(s).selfdraw2.chrysanthemum.count, 0);
}

// A generator seed whose draws number `first` and `first + 1` (from 0) tie.
std::uint32_t seed_with_tie_at(int first) {
    for (std::uint32_t seed = 0;; ++seed) {
        Random r;
        r.srand(seed);
        for (int i = 0; i < first; ++i)
            r.rand();
        if (r.rand() == r.rand()) return seed;
    }
}

TEST(IkedaIfs, TakesTheIkedaBranchForRemaindersEightToTen) {
    // From the origin the Ikeda branch gives (1, 0), the other one its shift.
    State s = make_state(32);
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        s.rng.srand(seed);
        Random ahead = s.rng;
        const int k = ahead.lrand() % 11;
        seen.insert(k);
        EXPECT_EQ(step_once(s, Point3{0, 0, 0}, 1).v,
                  (k > 7 ? Point3{1, 0, 0} : Point3{0.404434, 0.178096, 0}))
            << k;
    }
    EXPECT_EQ(seen.size(), 11u);
}

// The first step of a run after the type was chosen takes a built-in set:
// the render's first driver call, or the first Lyapunov estimate (a random
// search run before any render). Either way the working parameters hold the
// set afterwards (what the dialogs show and the records save, also over
// values loaded or set before), and the orbit went from the set's point.
TEST(StormJulia, FirstRunInstallsTheSetThatLrandPicks) {
    std::set<int> picked;
    for (bool measure : {false, true}) {
        for (std::uint32_t seed = 0; seed < 8; ++seed) {
            State s = make_state(33);
            s.p[33].a = 0.3; // as loaded from a record or given with --set
            s.rng.srand(seed);
            Random ahead = s.rng;
            const int which = ahead.lrand() % 2;
            picked.insert(which);
            const StartSet& set = catalogue[33].start_sets[which];
            // The same orbit with the set already in place and no flag.
            State want = make_state(33);
            want.stormflag = 0;
            want.p[33] = TypeParams{0.116, -0.166, 0, set.a, set.b, set.c, set.d, 0, 0};
            want.rng = ahead;
            if (measure) {
                const auto got = lyapunov(s);
                want.p[33].xstart = set.x, want.p[33].ystart = set.y;
                const auto expected = lyapunov(want);
                ASSERT_TRUE(got && expected);
                EXPECT_EQ(std::pair(got->lexp, got->fd), std::pair(expected->lexp, expected->fd));
            } else {
                render_step(s);
                const Stepped r = step_once(want, Point3{set.x, set.y, 0}, 0);
                EXPECT_EQ(std::pair(s.v.x, s.v.y), std::pair(r.v.x, r.v.y));
                EXPECT_EQ(s.oldv.x, 0.116); // the record's start stays the previous point
            }
            EXPECT_EQ(std::tuple(s.stormflag, s.p[33].a, s.p[33].d, s.p[33].xstart),
                      std::tuple(0, set.a, set.d, 0.116));
            // Later runs keep what the user has set since.
            s.p[33].a = 0.25;
            s.fresh_image = true;
            render_step(s);
            EXPECT_EQ(s.p[33].a, 0.25);
        }
    }
    EXPECT_EQ(picked.size(), 2u);
}

TEST(StormJulia, TiedDrawsCountAsTails) {
    // c = a + bi is (1, 1), c + di is (0, 2). From the origin the second gives
    // u = 0, v = -2 and the root (1, -1); the first gives (-1, -1) and a root
    // with positive x.
    for (int tie : {0, 2}) {
        State s = make_state(33);
        s.stormflag = 0;
        s.p[33].a = s.p[33].b = 1;
        s.p[33].c = 0;
        s.p[33].d = 2;
        s.rng.srand(seed_with_tie_at(tie));
        Random ahead = s.rng;
        const int r1 = ahead.rand(), r2 = ahead.rand(), r3 = ahead.rand(), r4 = ahead.rand();
        const Stepped r = step_once(s, Point3{0, 0, 0}, 1);
        const double sign = r3 > r4 ? -1 : 1;
        if (r1 > r2) {
            EXPECT_GT(r.v.x * sign, 0) << tie;
        } else {
            EXPECT_DOUBLE_EQ(r.v.x, sign) << tie;
            EXPECT_DOUBLE_EQ(r.v.y, -sign) << tie;
        }
    }
}

TEST(FrostJulia, HalvesTheArgumentAndRaisesTheModulusToThreeQuarters) {
    State s = make_state(34);
    for (double v : {-16.0, 16.0}) { // u = 0: a quarter turn after halving
        const Stepped r = step_once(s, Point3{0.306, 0.047 + v, 0}, 1);
        EXPECT_NEAR(r.v.x, r.v.y, 1e-14) << v;
        EXPECT_NEAR(std::fabs(r.v.x), 8 * std::sqrt(0.5), 1e-12) << v;
    }
    EXPECT_EQ(step_once(s, Point3{0.306, 0.047, 0}, 1).v.x, 0);
}

} // namespace
} // namespace morv::test

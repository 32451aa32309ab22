#include "analysis/lyapunov.h"
#include "core/driver.h"
#include "pointmaps_support.h"

#include <cmath>
#include <set>

namespace morv::test {
namespace {

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
        const Stepped r = step_once(s, VOXEL{0, 0, 0}, 1);
        EXPECT_EQ(r.v.x, k > 7 ? 1 : 0.404434) << k;
        EXPECT_EQ(r.v.y, k > 7 ? 0 : 0.178096) << k;
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
            want.p[33] = PARAM{0.116, -0.166, 0, set.a, set.b, set.c, set.d, 0, 0};
            want.rng = ahead;
            if (measure) {
                const auto got = lyapunov(s);
                want.p[33].xstart = set.x, want.p[33].ystart = set.y;
                const auto expected = lyapunov(want);
                ASSERT_TRUE(got && expected);
                EXPECT_EQ(got->lexp, expected->lexp);
                EXPECT_EQ(got->fd, expected->fd);
            } else {
                fractaldriver(s);
                const Stepped r = step_once(want, VOXEL{set.x, set.y, 0}, 0);
                EXPECT_EQ(s.v.x, r.v.x);
                EXPECT_EQ(s.v.y, r.v.y);
                EXPECT_EQ(s.oldv.x, 0.116); // the record's start stays the previous point
            }
            EXPECT_EQ(s.stormflag, 0);
            EXPECT_EQ(s.p[33].a, set.a);
            EXPECT_EQ(s.p[33].d, set.d);
            EXPECT_EQ(s.p[33].xstart, 0.116);
            // Later runs keep what the user has set since.
            s.p[33].a = 0.25;
            s.firstloop = 1;
            fractaldriver(s);
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
        const Stepped r = step_once(s, VOXEL{0, 0, 0}, 1);
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
        const Stepped r = step_once(s, VOXEL{0.306, 0.047 + v, 0}, 1);
        EXPECT_NEAR(r.v.x, r.v.y, 1e-14) << v;
        EXPECT_NEAR(std::fabs(r.v.x), 8 * std::sqrt(0.5), 1e-12) << v;
    }
    EXPECT_EQ(step_once(s, VOXEL{0.306, 0.047, 0}, 1).v.x, 0);
}

} // namespace
} // namespace morv::test

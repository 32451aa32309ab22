#include "pointmaps_support.h"

#include <cmath>
#include <complex>
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

// Whether the coin after the first `skip` draws shows heads.
bool heads_after(Random r, int skip) {
    for (int i = 0; i < skip; ++i)
        r.rand();
    const int r1 = r.rand();
    return r1 > r.rand();
}

TEST(IkedaIfs, TakesTheIkedaBranchForRemaindersEightToTen) {
    // From the origin the Ikeda branch gives (1, 0), the other one the shift.
    State s = make_state(32);
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        s.rng.srand(seed);
        Random ahead = s.rng;
        const int k = ahead.lrand() % 11;
        seen.insert(k);
        const Stepped r = step_once(s, VOXEL{0, 0, 0}, 1);
        if (k > 7) {
            EXPECT_EQ(r.v.x, 1) << k;
            EXPECT_EQ(r.v.y, 0) << k;
        } else {
            EXPECT_EQ(r.v.x, 0.404434) << k;
            EXPECT_EQ(r.v.y, 0.178096) << k;
        }
    }
    EXPECT_EQ(seen.size(), 11u);
}

TEST(StormJulia, FirstRunInstallsTheSetThatLrandPicks) {
    const double sets[2][6] = {{0.054631, 0.003381, -1.924232, -0.439203, -0.6711, -0.286204},
                               {0.116414, -0.166867, -0.399915, -0.591196, -0.009328, 0.338827}};
    std::set<int> picked;
    for (std::uint32_t seed = 0; seed < 8; ++seed) {
        State s = make_state(33);
        ASSERT_EQ(s.stormflag, 1);
        s.rng.srand(seed);
        Random ahead = s.rng;
        const int which = ahead.lrand() % 2 == 0 ? 0 : 1;
        picked.insert(which);
        const Stepped r = step_once(s, VOXEL{5, 5, 0}, 0);
        EXPECT_EQ(s.stormflag, 0);
        const double* set = sets[which];
        EXPECT_EQ(s.p[33].a, set[2]);
        EXPECT_EQ(s.p[33].b, set[3]);
        EXPECT_EQ(s.p[33].c, set[4]);
        EXPECT_EQ(s.p[33].d, set[5]);
        EXPECT_EQ(s.p[33].xstart, 0.116); // the start point stays
        // The step started from the set's point, not from the one passed in.
        State again = make_state(33);
        again.stormflag = 0;
        again.p[33] = s.p[33];
        again.rng = ahead;
        const Stepped want = step_once(again, VOXEL{set[0], set[1], 0}, 0);
        EXPECT_EQ(r.v.x, want.v.x);
        EXPECT_EQ(r.v.y, want.v.y);
        // Later runs keep what stands in the parameters.
        s.p[33].a = 0.25;
        step_once(s, VOXEL{0, 0, 0}, 0);
        EXPECT_EQ(s.p[33].a, 0.25);
    }
    EXPECT_EQ(picked.size(), 2u);
}

// c = a + bi is (1, 1), c + di is (0, 2); z = (0, 0) gives u = 0, v < 0 from
// the second constant: the root (sqrt(r/2), -sqrt(r/2)) with r = 2.
State storm_state(std::uint32_t seed) {
    State s = make_state(33);
    s.stormflag = 0;
    s.p[33].a = 1;
    s.p[33].b = 1;
    s.p[33].c = 0;
    s.p[33].d = 2;
    s.rng.srand(seed);
    return s;
}

TEST(StormJulia, TiedDrawsCountAsTails) {
    State s = storm_state(seed_with_tie_at(0));
    const bool negate = heads_after(s.rng, 2);
    const Stepped r = step_once(s, VOXEL{0, 0, 0}, 1);
    const double sign = negate ? -1 : 1;
    EXPECT_DOUBLE_EQ(r.v.x, sign * 1);
    EXPECT_DOUBLE_EQ(r.v.y, sign * -1);

    s = storm_state(seed_with_tie_at(2));
    const bool second_constant = !heads_after(s.rng, 0);
    const Stepped t = step_once(s, VOXEL{0, 0, 0}, 1);
    if (second_constant) {
        EXPECT_DOUBLE_EQ(t.v.x, 1); // not negated
        EXPECT_DOUBLE_EQ(t.v.y, -1);
    } else {
        EXPECT_GT(t.v.x, 0); // the principal root of (-1, -1)
        EXPECT_LT(t.v.y, 0);
    }
}

TEST(StormJulia, StepsToAComplexSquareRootOfZMinusC) {
    State s = storm_state(3);
    for (int i = 0; i < 50; ++i) {
        const VOXEL old{0.3 * i - 4, 1.5 - 0.07 * i, 0};
        const Stepped r = step_once(s, old, 1);
        const std::complex<double> w{r.v.x, r.v.y};
        const std::complex<double> z{old.x, old.y};
        const double e1 = std::abs(w * w - (z - std::complex<double>{1, 1}));
        const double e2 = std::abs(w * w - (z - std::complex<double>{0, 2}));
        EXPECT_LT(std::min(e1, e2), 1e-12) << i;
    }
}

TEST(FrostJulia, QuarterTurnForEitherSignOfVWhenUIsZero) {
    State s = make_state(34);
    for (double v : {-16.0, 16.0}) {
        const Stepped r = step_once(s, VOXEL{0.306, 0.047 + v, 0}, 1);
        EXPECT_NEAR(std::fabs(r.v.x), 8 * std::cos(0.7853981633974483), 1e-12) << v;
        EXPECT_NEAR(r.v.x, r.v.y, 1e-14) << v; // theta = pi/4 after halving
    }
    const Stepped zero = step_once(s, VOXEL{0.306, 0.047, 0}, 1);
    EXPECT_EQ(zero.v.x, 0);
    EXPECT_EQ(zero.v.y, 0);
}

TEST(FrostJulia, HalvesTheArgumentAndRaisesTheModulusToThreeQuarters) {
    State s = make_state(34);
    for (int i = 0; i < 40; ++i) {
        const VOXEL old{0.4 * i - 8, 3.3 - 0.2 * i, 0};
        const Stepped r = step_once(s, old, 1);
        const std::complex<double> d{old.x - 0.306, old.y - 0.047};
        const std::complex<double> w{r.v.x, r.v.y};
        EXPECT_NEAR(std::abs(w), std::pow(std::abs(d), 0.75), 1e-12) << i;
        const std::complex<double> dir = std::sqrt(d) / std::abs(std::sqrt(d));
        EXPECT_NEAR(std::fabs(std::real(w * std::conj(dir))), std::abs(w), 1e-12) << i;
    }
}

TEST(RandomBranch, RunawayPointsLandOffTheCanvas) {
    for (int type : {32, 33, 34})
        expect_nan_lands_off_canvas(type);
}

TEST(RandomBranch, RendersStayPinned) {
    expect_pinned_renders({
        {32, 1, 5000, 0x1351d14d581374b2},
        {32, 3, 5000, 0xc0798bf1ef4eb543},
        {33, 1, 5000, 0xa55e40648b72f92b},
        {33, 3, 5000, 0x52fc61697386c975},
        {34, 1, 5000, 0xe9136ccfab485fed},
        {34, 3, 5000, 0x8ae413de49eba063},
    });
}

} // namespace
} // namespace morv::test

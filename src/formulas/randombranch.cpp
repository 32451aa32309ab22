// Maps that choose one of two branches at random on every step, like an
// iterated function system.
#include "core/numeric.h"
#include "core/view.h"
#include "formulas/steps.h"

#include <algorithm>
#include <cmath>

namespace morv {

namespace {

// Two draws, heads when the first is larger; ties count as tails.
bool coin(State& s) {
    const int r1 = s.rand();
    const int r2 = s.rand();
    return r1 > r2;
}

// A square root of a value that is mathematically never negative. u + r can
// come out below 0 only when u * u underflows; 0 keeps the orbit alive there
// instead of turning it into NaN for good.
double sqrt_nonneg(double v) {
    return std::sqrt(std::max(v, 0.0));
}

struct StormSet {
    double x, y, a, b, c, d;
};
constexpr StormSet kStormSets[2] = {
    {0.054631, 0.003381, -1.924232, -0.439203, -0.6711, -0.286204},
    {0.116414, -0.166867, -0.399915, -0.591196, -0.009328, 0.338827},
};

// The first run after Storm Julia was chosen shows one of its two built-in
// sets, starting from that set's own point.
void install_storm_set(State& s, VOXEL& old) {
    s.stormflag = 0;
    const StormSet& set = kStormSets[s.lrand() % 2 == 0 ? 0 : 1];
    old.x = set.x;
    old.y = set.y;
    PARAM& p = s.p[s.type];
    p.a = set.a;
    p.b = set.b;
    p.c = set.c;
    p.d = set.d;
}

} // namespace

// The Ikeda map (3 times in 11) mixed with a fixed rotation and shift.
int ikedaifs(State& s, VOXEL old, VOXEL* next, int, int* xpos, int* ypos) {
    constexpr double p1 = 0.242695, p2 = 0.538835, p9 = 0.292347, p10 = -0.715191, p11 = 0.404434,
                     p12 = 0.178096;
    const double x = old.x, y = old.y;
    if (s.lrand() % 11 > 7) {
        const double t = p1 - 6.0 / (1 + x * x + y * y);
        const double cost = std::cos(t), sint = std::sin(t);
        next->x = 1 + p2 * (x * cost - y * sint);
        next->y = p2 * (x * sint + y * cost);
    } else {
        next->x = p10 * x + p9 * y + p11;
        next->y = -p9 * x + p10 * y + p12;
    }
    map_to_pixel(s, next->x, next->y, xpos, ypos);
    return kPlot;
}

// The backward map of z^2 + c with c = a + bi or c + di at random: one of the
// two complex square roots of z - c, also at random.
int stormjulia(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos) {
    if (iter == 0 && s.stormflag != 0) install_storm_set(s, old);
    const PARAM& p = s.p[s.type];
    double u, v;
    if (coin(s)) {
        u = old.x - p.a;
        v = old.y - p.b;
    } else {
        u = old.x - p.c;
        v = old.y - p.d;
    }
    const double r = std::sqrt(u * u + v * v);
    double nx = sqrt_nonneg((u + r) * 0.5);
    double ny = sqrt_nonneg((r - u) * 0.5);
    if (v < 0) ny = -ny;
    if (coin(s)) {
        nx = -nx;
        ny = -ny;
    }
    next->x = nx;
    next->y = ny;
    map_to_pixel(s, next->x, next->y, xpos, ypos);
    return kPlot;
}

// Like Storm Julia with one constant (sp0 + sp1 i), but the modulus of z - c
// is raised to the power 3/4 instead of 1/2.
int frostjulia(State& s, VOXEL old, VOXEL* next, int, int* xpos, int* ypos) {
    const PARAM& p = s.p[s.type];
    const double u = old.x - p.sp0, v = old.y - p.sp1;
    double theta;
    if (u > 0)
        theta = std::atan(v / u);
    else if (u < 0)
        theta = std::atan(v / u) + kPi;
    else
        theta = kHalfPi;
    theta = 0.5 * theta;
    const double q = u * u + v * v;
    double m = std::sqrt(std::sqrt(std::sqrt(q * q * q)));
    if (coin(s)) m = -m;
    next->x = m * std::cos(theta);
    next->y = m * std::sin(theta);
    map_to_pixel(s, next->x, next->y, xpos, ypos);
    return kPlot;
}

} // namespace morv

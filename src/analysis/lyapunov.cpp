// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/lyapunov.h"

#include "core/driver.h"
#include "core/state.h"

#include <cmath>
#include <functional>
#include <utility>

namespace morv {

namespace {

constexpr int kTurns = 10000;
constexpr int kTransientTurns = 100;
constexpr double kSeparation = 1e-6;
constexpr double kMinDistance = 1e-16;
// Natural logarithms to bits, with the constant as the program has always
// used it (not the full-precision 1/ln 2).
constexpr double kLog2E = 1.442694;
constexpr double kAccumulatedTurns = 9900;

// Upper cell bounds as factors of the window's width or height:
// -0.875 + 0.125 i and -0.9375 + 0.0625 i.
template <std::size_t N> constexpr std::array<double, N> bound_factors() {
    std::array<double, N> f{};
    const double cell = 2.0 / N;
    for (std::size_t i = 0; i < N; ++i)
        f[i] = -1.0 + cell + cell * static_cast<double>(i);
    return f;
}
constexpr auto step16 = bound_factors<16>();
constexpr auto step32 = bound_factors<32>();
static_assert(step16[0] == -0.875 && step16[15] == 1.0);
static_assert(step32[0] == -0.9375 && step32[31] == 1.0);

template <std::size_t N>
void fill_bounds(std::array<double, N>& out, const std::array<double, N>& factors, double span) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = span * factors[i];
}

// The first row whose bound is not below y, then in it the first column whose
// bound is not below x; a row without such a column passes on to the next.
template <std::size_t N>
void mark(std::array<std::array<int, N>, N>& cells, const std::array<double, N>& bx,
          const std::array<double, N>& by, Point3 v) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!(v.y <= by[i])) continue;
        for (std::size_t j = 0; j < N; ++j) {
            if (v.x <= bx[j]) {
                cells[i][j] = 1;
                return;
            }
        }
    }
}

template <std::size_t N> int marked(const std::array<std::array<int, N>, N>& cells) {
    int n = 0;
    for (const auto& row : cells)
        for (int c : row)
            n += c == 1 ? 1 : 0;
    return n;
}

// The next point from v; `from` is the point the step starts from, which only
// a start set taken at the first step makes differ from v.
Point3 advance(const State& s, RenderContext& rc, StepFn step, Point3 v, Point3 from, int i) {
    Point3 next = v;
    int xpos = 0, ypos = 0;
    step(s, rc, from, &next, i, &xpos, &ypos);
    return next;
}

} // namespace

void prepare_grids(BoxGrids& g, const ViewWindow& mm) {
    g = BoxGrids{};
    fill_bounds(g.step16x, step16, mm.xmax - mm.xmin);
    fill_bounds(g.step16y, step16, mm.ymax - mm.ymin);
    fill_bounds(g.step32x, step32, mm.xmax - mm.xmin);
    fill_bounds(g.step32y, step32, mm.ymax - mm.ymin);
}

void boxcount(BoxGrids& g, const ViewWindow& mm, Point3 v) {
    // Written so that a NaN coordinate fails the test too.
    if (!(v.x >= mm.xmin && v.x <= mm.xmax && v.y >= mm.ymin && v.y <= mm.ymax)) return;
    mark(g.N16, g.step16x, g.step16y, v);
    mark(g.N32, g.step32x, g.step32y, v);
}

double fractaldimension(BoxGrids& g) {
    g.count16 = marked(g.N16);
    g.count32 = marked(g.N32);
    if (g.count16 == 0 || g.count32 == 0) return 0.0;
    return std::log10(static_cast<double>(g.count32) / g.count16) * 3.321928094887365;
}

bool measurable(const State& s) {
    if (step_of(s) == nullptr) return false;
    // Frothy Basin gives points only as a finite attractor; as an escape-time
    // picture it scans the plane row by row.
    if (s.type == kTypeBasin && s.basinflag == 0) return false;
    return !draws_by_itself(catalogue[s.type]);
}

std::optional<ChaosMeasure> lyapunov(State& s) {
    if (!measurable(s)) return std::nullopt;
    return lyapunov(s, step_of(s));
}

std::optional<ChaosMeasure> lyapunov(State& s, StepFn step, BoxGrids* grids) {
    if (step == nullptr || !valid_type(s.type)) return std::nullopt;
    // A measurement is not a render: the waits that pace drawing are skipped.
    const std::function<void(int)> paced = std::exchange(s.platform.sleep_ms, [](int) {});
    BoxGrids local;
    BoxGrids& g = grids != nullptr ? *grids : local;
    const ViewWindow mm = s.mm[s.type];
    prepare_grids(g, mm);
    const TypeParams& p = s.p[s.type];
    Point3 v{p.xstart, p.ystart, p.zstart};
    Point3 ve{};
    double logaccum = 0;
    for (int i = 0; i < kTurns; ++i) {
        Point3 from = v;
        if (i == 0) take_start_set(s, s, from);
        v = advance(s, s, step, v, from, i);
        if (i < kTransientTurns) continue;
        if (i == kTransientTurns) ve = Point3{v.x + kSeparation, v.y, v.z};
        ve = advance(s, s, step, ve, ve, i);
        boxcount(g, mm, v);
        const double dx = ve.x - v.x, dy = ve.y - v.y, dz = ve.z - v.z;
        // Only the x-y separation counts, also for three-dimensional types.
        double distance = std::sqrt(dx * dx + dy * dy);
        if (distance < kMinDistance) distance = kMinDistance;
        logaccum += std::log(distance * 1000000.0);
        // Back to the initial separation along the current direction.
        const double dfactor = kSeparation / distance;
        ve = Point3{v.x + dx * dfactor, v.y + dy * dfactor, v.z + dz * dfactor};
    }
    s.platform.sleep_ms = paced;
    return ChaosMeasure{logaccum * kLog2E * (1 / kAccumulatedTurns), fractaldimension(g)};
}

} // namespace morv

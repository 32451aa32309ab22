// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/random.h"

#include "analysis/lyapunov.h"
#include "core/state.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace morv {

namespace {

constexpr int kMaxCount = 100; // the search stops when the count reaches it
constexpr double kMinSchemeA = 0.01;
constexpr double kMinSchemeB = 0.5;
constexpr double kLyapunovSchemeA = 0.1;
constexpr double kLyapunovSchemeB = 0.3;

double clip(double v) {
    const long double scaled = static_cast<long double>(v) * 1e12L;
    return static_cast<double>(std::floor(scaled) * static_cast<long double>(1e-12));
}

// Triangular on [-2, 2], redrawn until its magnitude is at least 0.01.
double draw_scheme_a(State& s) {
    double v = 0;
    do {
        v = 2 * s.morvrandom() - 2 * s.morvrandom();
    } while (!(std::fabs(v) >= kMinSchemeA));
    return v;
}

// Uniform on [lo, hi], redrawn until its magnitude is at least 0.5.
double draw_scheme_b(State& s, double lo, double hi) {
    double v = 0;
    do {
        v = lo + s.morvrandom() * (hi - lo);
    } while (!(std::fabs(v) >= kMinSchemeB));
    return v;
}

// Every coefficient drawn afresh; the Spirals keep sp1 near 1 and take any draw.
bool try_coefficients(State& s, StepFn step, bool spirals, RandomResult& r) {
    TypeParams& RP = r.set;
    RP.a = draw_scheme_a(s);
    RP.b = draw_scheme_a(s);
    RP.c = draw_scheme_a(s);
    RP.d = draw_scheme_a(s);
    RP.sp0 = draw_scheme_a(s);
    RP.sp1 = spirals ? 0.05 * s.morvrandom() + 1.0 : draw_scheme_a(s);
    const TypeParams& cur = s.p[s.type];
    RP.xstart = cur.xstart, RP.ystart = cur.ystart, RP.zstart = cur.zstart;
    paramclip(&RP);
    s.p[s.type] = RP;
    if (spirals) return true;
    r.measure = lyapunov(s, step).value_or(r.measure);
    return r.measure.lexp >= kLyapunovSchemeA; // a NaN exponent rejects too
}

// The Pickover-style maps: a..d from the type's ranges, kept away
// from sets that collapse onto a point or a curve.
bool try_pickover(State& s, StepFn step, RandomResult& r) {
    TypeParams& RP = r.set;
    const auto& range = catalogue[s.type].abcdrange;
    RP.a = draw_scheme_b(s, range[0], range[1]);
    RP.b = draw_scheme_b(s, range[0], range[1]);
    RP.c = draw_scheme_b(s, range[2], range[3]);
    RP.d = draw_scheme_b(s, range[2], range[3]);
    const double a = std::fabs(RP.a), b = std::fabs(RP.b), c = std::fabs(RP.c), d = std::fabs(RP.d);
    if (a + b * c < 1.0 || b + a * d < 1.0) return false;
    const TypeParams& cur = s.p[s.type];
    RP.xstart = cur.xstart, RP.ystart = cur.ystart, RP.zstart = cur.zstart;
    RP.sp0 = cur.sp0, RP.sp1 = cur.sp1;
    paramclip(&RP);
    s.p[s.type] = RP;
    r.measure = lyapunov(s, step).value_or(r.measure);
    return r.measure.lexp >= kLyapunovSchemeB;
}

// The Pickover scheme redraws until a magnitude of 0.5 is reached: a range that cannot
// reach it would never end.
bool pickover_ranges_usable(int type) {
    const auto& r = catalogue[type].abcdrange;
    auto reaches = [](double lo, double hi) {
        return std::fabs(lo) >= kMinSchemeB || std::fabs(hi) >= kMinSchemeB;
    };
    return reaches(r[0], r[1]) && reaches(r[2], r[3]);
}

} // namespace

void paramclip(TypeParams* RP) {
    for (double* v : {&RP->a, &RP->b, &RP->c, &RP->d, &RP->sp0, &RP->sp1})
        *v = clip(*v);
}

bool random_search_offered(const State& s) {
    if (!valid_type(s.type) || (catalogue[s.type].poptions & kOptRandom) == 0) return false;
    if (!measurable(s)) return false;
    return catalogue[s.type].random != RandomScheme::Pickover || pickover_ranges_usable(s.type);
}

std::string random_confirm_text(int count, const TypeParams& RP, double LExp, double FD) {
    const char* format = "count: %d\na: %.15f\nb: %.15f\nc: %.15f\nd: %.15f\nLyapunov exponent: "
                         "%.15f\nfractal dimension: %.15f";
    // "%.15f" of a huge exponent is long: measure, then write in full.
    std::vector<char> buf(256);
    int n = std::snprintf(buf.data(), buf.size(), format, count, RP.a, RP.b, RP.c, RP.d, LExp, FD);
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) >= buf.size()) {
        buf.resize(static_cast<std::size_t>(n) + 1);
        std::snprintf(buf.data(), buf.size(), format, count, RP.a, RP.b, RP.c, RP.d, LExp, FD);
    }
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

RandomResult randomparams(State& s, const ChaosMeasure& previous, const ConfirmFn& confirm) {
    if (!random_search_offered(s)) return RandomResult{kRandomNotOffered, TypeParams{}, previous};
    return randomparams(s, step_of(s), previous, confirm);
}

RandomResult randomparams(State& s, StepFn step, const ChaosMeasure& previous,
                          const ConfirmFn& confirm) {
    RandomResult r{kRandomNotOffered, TypeParams{}, previous};
    if (!valid_type(s.type) || (catalogue[s.type].poptions & kOptRandom) == 0 || step == nullptr)
        return r;
    const RandomScheme scheme = catalogue[s.type].random;
    if (scheme == RandomScheme::Pickover && !pickover_ranges_usable(s.type)) return r;

    s.seed_from_clock();
    const TypeParams before = s.p[s.type];
    int count = 0;
    bool accepted = false;
    while (!accepted) {
        if (++count >= kMaxCount) {
            s.p[s.type] = before;
            r.code = kRandomNotFound;
            return r;
        }
        accepted = scheme == RandomScheme::Pickover
                       ? try_pickover(s, step, r)
                       : try_coefficients(s, step, scheme == RandomScheme::Spirals, r);
    }
    r.code = kRandomAccepted;
    if (confirm && !confirm(random_confirm_text(count, r.set, r.measure.lexp, r.measure.fd))) {
        s.p[s.type] = before;
        r.code = kRandomDeclined;
    }
    return r;
}

} // namespace morv

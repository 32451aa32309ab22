// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/steered_search.h"

#include "core/state.h"

#include <algorithm>

namespace morv {

namespace {

constexpr int kMaxCount = 100; // as the program's own rule: 99 candidates
constexpr long long kScreenSteps = 100000;

struct Bounds {
    double low, high;
};

// The range the type's scheme draws a coefficient from; Pickover's keep sp0
// and sp1, which their scheme never draws (empty range).
Bounds range_of(int type, std::size_t k) {
    const TypeInfo& t = catalogue[static_cast<std::size_t>(type)];
    if (t.random == RandomScheme::Pickover) {
        if (k < 2) return {t.abcdrange[0], t.abcdrange[1]};
        if (k < 4) return {t.abcdrange[2], t.abcdrange[3]};
        return {0, 0};
    }
    if (t.random == RandomScheme::Spirals && k == 5) return {1.0, 1.05};
    return {-kRandomCoefficientBound, kRandomCoefficientBound};
}

std::array<double*, 6> coefficients(TypeParams& p) {
    return {&p.a, &p.b, &p.c, &p.d, &p.sp0, &p.sp1};
}

TypeParams draw(State& s, const SearchSteering& steer, const TypeParams& current) {
    TypeParams p = current;
    const auto out = coefficients(p);
    for (std::size_t k = 0; k < out.size(); ++k) {
        const Bounds b = range_of(s.type, k);
        if (steer.frozen[k] || b.high <= b.low) continue;
        const double u = s.morvrandom();
        if (steer.spread_percent) {
            const double half = (b.high - b.low) / 2 * (*steer.spread_percent / 100);
            *out[k] = std::clamp(*out[k] + half * (2 * u - 1), b.low, b.high);
        } else {
            *out[k] = b.low + u * (b.high - b.low);
        }
    }
    paramclip(&p);
    // Frozen coefficients stay exactly as they were, unrounded.
    TypeParams kept = current;
    const auto from = coefficients(kept);
    for (std::size_t k = 0; k < out.size(); ++k)
        if (steer.frozen[k]) *out[k] = *from[k];
    return p;
}

bool accepted(const SearchSteering& steer, const SpectrumResult& r, const Measured& ky) {
    if (!r.failure.empty() || r.spectrum.steps == 0) return false;
    const double largest = r.spectrum.exponents[0];
    if (!steer.largest_exponent && !steer.kaplan_yorke) return largest > 0;
    if (steer.largest_exponent && !steer.largest_exponent->contains(largest)) return false;
    return !steer.kaplan_yorke || steer.kaplan_yorke->contains(ky.value);
}

} // namespace

bool SearchSteering::steered() const {
    return largest_exponent || kaplan_yorke || spread_percent ||
           std::find(frozen.begin(), frozen.end(), true) != frozen.end();
}

SpectrumResult screening_spectrum(const Params& ps, const TangentTable& models) {
    return lyapunov_spectrum(ps, models, kScreenSteps);
}

SteeredResult steered_search(State& s, const SearchSteering& steer, const TangentTable& models) {
    SteeredResult r;
    if (!random_search_offered(s) || !spectrum_refusal(s, models).empty()) return r;
    s.seed_from_clock();
    const TypeParams before = s.p[s.type];
    while (++r.candidates < kMaxCount) {
        s.p[s.type] = r.set = draw(s, steer, before);
        const SpectrumResult m = screening_spectrum(s, models);
        r.spectrum = m.spectrum;
        r.kaplan_yorke = kaplan_yorke(m.spectrum);
        if (accepted(steer, m, r.kaplan_yorke)) {
            r.code = kRandomAccepted;
            return r;
        }
    }
    --r.candidates;
    s.p[s.type] = before;
    r.code = kRandomNotFound;
    return r;
}

} // namespace morv

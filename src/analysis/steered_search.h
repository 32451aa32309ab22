// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/benettin.h"
#include "analysis/random.h"

#include <array>
#include <optional>

namespace morv {

struct State;

struct Range {
    double low = 0, high = 0;
    bool contains(double v) const { return v >= low && v <= high; }
};

// What a scientist can steer the random search by. Without any of it the
// search is the program's own rule (randomparams), which stays the default.
struct SearchSteering {
    std::optional<Range> largest_exponent; // nats per step, by Benettin's method
    std::optional<Range> kaplan_yorke;
    std::array<bool, 6> frozen{}; // a, b, c, d, sp0, sp1 kept as they are
    // Each coefficient drawn within this percentage of half its random range
    // about its current value, instead of over the whole range.
    std::optional<double> spread_percent;

    bool steered() const;
};

// The coefficient names --freeze takes, in the order of `frozen`.
inline constexpr std::array<const char*, 6> kCoefficientNames{"a", "b", "c", "d", "sp0", "sp1"};

struct SteeredResult {
    int code = kRandomNotOffered; // kRandomAccepted, kRandomNotFound or kRandomNotOffered
    TypeParams set{};             // on kRandomAccepted the new p[type]
    int candidates = 0;
    Spectrum spectrum; // the screening measure of the last candidate measured
    Measured kaplan_yorke;
};

// Draws up to 99 candidates over the ranges of the type's random scheme (or
// within the spread about the current set), keeps the frozen coefficients,
// and accepts the first whose spectrum, over 10^5 steps, has its largest
// exponent and Kaplan-Yorke dimension within the ranges (a positive largest
// exponent when no range is given). The accepted set is left in p[type];
// otherwise p[type] is restored. Types the search does not offer, or whose
// map has no Jacobian, are not offered.
SteeredResult steered_search(State& s, const SearchSteering& steer, const TangentTable& models);

// The precise measures of the current set as the search screens them.
SpectrumResult screening_spectrum(const Params& ps, const TangentTable& models);

} // namespace morv

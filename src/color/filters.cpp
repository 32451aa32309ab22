// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/filters.h"

#include "color/bands.h"
#include "color/filter_passes.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/state.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace morv {

namespace {

constexpr int kMinIterations = 1000;

int check_preconditions(const State& s) {
    if (s.itercount < kMinIterations) return kFilterTooFewIterations;
    if (s.method[s.type] != kMethodHitCount) return kFilterNotHitCount;
    const std::size_t n = static_cast<std::size_t>(s.res) * static_cast<std::size_t>(s.res);
    if (s.hcres != s.res || s.hitcount.size() != n) return kFilterNoBuffer;
    return kFilterDone;
}

struct EqualizeTables {
    std::vector<unsigned> histogram, cdf, hv;
};

// The histogram over every count present and room for the other two tables
// up to the largest of them (`kmax`); false when they would not fit the memory
// budget or cannot be had.
bool equalize_tables(const State& s, unsigned threads, std::uint32_t& kmax, EqualizeTables& t) {
    const std::size_t budget = s.platform.max_alloc_bytes / (3 * sizeof(unsigned));
    if (!count_histogram(s, budget, t.histogram, kmax, threads)) return false;
    try {
        t.cdf.assign(kmax, 0);
        t.hv.assign(kmax, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace

int normalize(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    // With no hits counted every index is 0 (or undefined): nothing to paint.
    if (s.hitmax == 0) return kFilterDone;
    const double hitmax = s.hitmax;
    paint_by_index(
        s, [hitmax](float h) { return trunc32(1024 * static_cast<double>(h) / hitmax); },
        pass_threads(s.hitcount.size()));
    return kFilterDone;
}

int equalize(State& s) {
    return equalize_in_threads(s, pass_threads(s.hitcount.size()));
}

int equalize_in_threads(State& s, unsigned threads) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    std::uint32_t kmax = 0;
    EqualizeTables t;
    if (!equalize_tables(s, threads, kmax, t)) return kFilterNoMemory;

    // cdf[i]: pixels hit between 1 and i + 1 times.
    unsigned cdfmin = 0;
    for (std::uint32_t i = 0; i < kmax; ++i) {
        t.cdf[i] = (i == 0 ? 0 : t.cdf[i - 1]) + t.histogram[i + 1];
        if (cdfmin == 0) cdfmin = t.cdf[i];
    }
    const double totalpixels =
        static_cast<double>(s.res) * s.res - static_cast<double>(t.histogram[0]) - 1.0;
    for (std::uint32_t i = 0; i < kmax; ++i) {
        if (t.cdf[i] == 0) continue;
        // A single hit pixel (totalpixels 0) takes the lowest index.
        const double ratio =
            totalpixels > 0 ? static_cast<double>(t.cdf[i] - cdfmin) / totalpixels : 0.0;
        t.hv[i] = static_cast<unsigned>(trunc32(ratio * 254) + 1);
    }
    // The painter's table asks for counts up to its size, above the largest
    // present: no pixel has them, they get no index.
    paint_by_index(
        s,
        [&t](float h) {
            const std::uint32_t k = count_of(h);
            return k == 0 || k > t.hv.size() ? 0 : static_cast<int>(t.hv[k - 1]);
        },
        threads);
    return kFilterDone;
}

int logadjust(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    // ln(hitmax) is 0 or undefined below 2: no pixel gets an index.
    if (s.hitmax <= 1) return kFilterDone;
    const double L = std::log(static_cast<double>(s.hitmax));
    const double scale = 255 / (L * L);
    paint_by_index(
        s,
        [scale](float h) {
            if (h == 0.0f) return 0;
            const double lh = std::log(static_cast<double>(h));
            return trunc32(lh * lh * scale);
        },
        pass_threads(s.hitcount.size()));
    return kFilterDone;
}

int logplain(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    if (s.hitmax <= 1) return kFilterDone;
    const double L = std::log(static_cast<double>(s.hitmax));
    // ln(h) / L before the scaling: a pixel hit hitmax times gets exactly 255
    // (ln(h) * (255 / L) can round to just below it).
    paint_by_index(
        s,
        [L](float h) {
            if (h == 0.0f) return 0;
            return trunc32(std::log(static_cast<double>(h)) / L * 255);
        },
        pass_threads(s.hitcount.size()));
    return kFilterDone;
}

} // namespace morv

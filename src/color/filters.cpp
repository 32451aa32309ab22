#include "color/filters.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/state.h"

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

void paint(State& s, int x, int y, int c) {
    drawdot(s, x, y, palette_color(s.palette, c));
}

// Paints every pixel with the index `index_of(h)` gives it, row by row;
// indices below 1 leave the pixel as it is, those above 255 become 255.
template <class IndexOf> void paint_by_index(State& s, IndexOf index_of) {
    const float* h = s.hitcount.data();
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x, ++h) {
            int c = index_of(*h);
            if (c > 255) c = 255;
            if (c > 0) paint(s, x, y, c);
        }
}

// A pixel's count as the equalisation tables index it; anything that is not
// a count of at least one (never produced, but the buffer is not trusted)
// counts as not hit.
std::uint32_t count_of(float h) {
    const std::int32_t k = trunc32(h);
    return k > 0 ? static_cast<std::uint32_t>(k) : 0u;
}

struct EqualizeTables {
    std::vector<unsigned> histogram, cdf, hv;
};

// Tables for counts up to `kmax`: the largest count present, which may lie
// above `hitmax` (counts raised after it was taken).
bool allocate_tables(const State& s, std::uint32_t kmax, EqualizeTables& t) {
    const std::size_t entries = static_cast<std::size_t>(kmax) + 1;
    if (entries > s.platform.max_alloc_bytes / (3 * sizeof(unsigned))) return false;
    try {
        t.histogram.assign(entries, 0);
        t.cdf.assign(entries - 1, 0);
        t.hv.assign(entries - 1, 0);
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
    paint_by_index(s,
                   [hitmax](float h) { return trunc32(1024 * static_cast<double>(h) / hitmax); });
    return kFilterDone;
}

int equalize(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    std::uint32_t kmax = 0;
    for (float h : s.hitcount)
        if (const std::uint32_t k = count_of(h); k > kmax) kmax = k;

    EqualizeTables t;
    if (!allocate_tables(s, kmax, t)) return kFilterNoMemory;
    for (float h : s.hitcount)
        ++t.histogram[count_of(h)];

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
    paint_by_index(s, [&t](float h) {
        const std::uint32_t k = count_of(h);
        return k == 0 ? 0 : static_cast<int>(t.hv[k - 1]);
    });
    return kFilterDone;
}

int logadjust(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    // ln(hitmax) is 0 or undefined below 2: no pixel gets an index.
    if (s.hitmax <= 1) return kFilterDone;
    const double L = std::log(static_cast<double>(s.hitmax));
    const double scale = 255 / (L * L);
    paint_by_index(s, [scale](float h) {
        if (h == 0.0f) return 0;
        const double lh = std::log(static_cast<double>(h));
        return trunc32(lh * lh * scale);
    });
    return kFilterDone;
}

const char* filter_result_text(int code) {
    switch (code) {
    case kFilterDone:
        return "filter applied";
    case kFilterTooFewIterations:
        return "fewer than 1000 iterations were rendered";
    case kFilterNotHitCount:
        return "the colouring method is not Hit Count";
    case kFilterNoMemory:
        return kEqualizeMemoryText;
    case kFilterNoBuffer:
        return "there is no hit-count buffer for this image";
    default:
        return "unknown filter result";
    }
}

} // namespace morv

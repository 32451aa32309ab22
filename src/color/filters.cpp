#include "color/filters.h"

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

// Counts up to this many per pixel of the image are looked up in a table
// rather than recomputed: building it costs a small part of the pass, and
// counts above it are rare (the bright core of an image).
constexpr std::size_t kTablePixelsPerEntry = 16;

// The pixel value index_of(h) paints, or 0 (never a pixel: pixels are opaque)
// where the pixel keeps its colour.
template <class IndexOf> std::uint32_t pixel_of(const State& s, IndexOf& index_of, float h) {
    int c = index_of(h);
    if (c > 255) c = 255;
    return c > 0 ? Surface::to_pixel(palette_color(s.palette, c)) : 0u;
}

// Paints every pixel with the index `index_of(h)` gives it; indices below 1
// leave the pixel as it is, those above 255 become 255. Whole counts up to the
// table's size come from a table of index_of's own results, so the pixels are
// those of calling it everywhere.
template <class IndexOf> void paint_by_index(State& s, IndexOf index_of) {
    const std::size_t pixels = static_cast<std::size_t>(s.res) * static_cast<std::size_t>(s.res);
    const auto entries = static_cast<std::uint32_t>(std::min<std::size_t>(
        std::max(s.hitmax, 255u), std::max<std::size_t>(pixels / kTablePixelsPerEntry, 255)));
    std::vector<std::uint32_t> table(static_cast<std::size_t>(entries) + 1);
    for (std::uint32_t k = 0; k <= entries; ++k)
        table[k] = pixel_of(s, index_of, static_cast<float>(k));

    if (s.canvas.width() != s.res || s.canvas.height() != s.res) return; // never: set with res
    std::uint32_t* row = s.canvas.data();
    const float* h = s.hitcount.data();
    const std::size_t n = static_cast<std::size_t>(s.res);
    const auto limit = static_cast<float>(entries);
    auto lookup = [&](float v) {
        const auto k = static_cast<std::uint32_t>(v >= 0.0f && v <= limit ? v : 0.0f);
        return static_cast<float>(k) == v ? table[k] : pixel_of(s, index_of, v);
    };
    // The canvas is written directly: the table leaves only a comparison or
    // two per pixel, and going through drawdot's checks would triple that.
    for (std::size_t y = 0; y < n; ++y, row += n, h += n)
        for (std::size_t x = 0; x < n; ++x) {
            const std::uint32_t px = lookup(h[x]);
            row[x] = px != 0 ? px : row[x];
        }
    // The window shows the same pixels where it shows the image.
    const int wx = std::min(s.res, s.ClientRes.right), wy = std::min(s.res, s.ClientRes.bottom);
    h = s.hitcount.data();
    for (int y = 0; y < wy; ++y, h += n)
        for (int x = 0; x < wx; ++x)
            if (const std::uint32_t px = lookup(h[x]); px != 0)
                s.window.set_pixel(x, y, Surface::to_colorref(px));
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

bool fits_budget(const State& s, std::size_t entries) {
    return entries <= s.platform.max_alloc_bytes / (3 * sizeof(unsigned));
}

bool grow(std::vector<unsigned>& v, std::size_t entries) {
    try {
        v.resize(entries, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The histogram of the counts in one pass, sized for `hitmax` and grown for
// counts above it (raised after it was taken); `kmax` is the largest count.
// False when the tables for kmax would not fit the memory budget.
bool count_histogram(const State& s, std::uint32_t& kmax, EqualizeTables& t) {
    kmax = 0;
    const std::size_t guess =
        std::min<std::size_t>(std::size_t{s.hitmax} + 1, s.hitcount.size() + 1);
    if (!grow(t.histogram, fits_budget(s, guess) ? guess : 1)) return false;
    for (float h : s.hitcount) {
        const std::uint32_t k = count_of(h);
        if (k >= t.histogram.size()) {
            const std::size_t need = std::size_t{k} + 1;
            const std::size_t budget = s.platform.max_alloc_bytes / (3 * sizeof(unsigned));
            if (need > budget ||
                !grow(t.histogram, std::min(std::max(need, 2 * t.histogram.size()), budget)))
                return false;
        }
        ++t.histogram[k];
        kmax = std::max(kmax, k);
    }
    if (!fits_budget(s, std::size_t{kmax} + 1)) return false;
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
    paint_by_index(s,
                   [hitmax](float h) { return trunc32(1024 * static_cast<double>(h) / hitmax); });
    return kFilterDone;
}

int equalize(State& s) {
    if (const int rc = check_preconditions(s); rc != kFilterDone) return rc;
    std::uint32_t kmax = 0;
    EqualizeTables t;
    if (!count_histogram(s, kmax, t)) return kFilterNoMemory;

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
    paint_by_index(s, [&t](float h) {
        const std::uint32_t k = count_of(h);
        return k == 0 || k > t.hv.size() ? 0 : static_cast<int>(t.hv[k - 1]);
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

} // namespace morv

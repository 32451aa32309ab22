// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/filters.h"

#include "core/numeric.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

namespace morv {
namespace {

constexpr Rgb kBack = rgb(255, 245, 230);
constexpr int kBackground = -1, kAny = -100, kPainted = -101;

// A paused hit-count image of res x res pixels whose counts are `counts`
// (row-major, the rest 0), painted in the background colour, with palette
// entries that all differ from each other and from the background.
State hit_image(int res, std::vector<float> counts, unsigned hitmax) {
    State s;
    set_resolution(s, res);
    s.method[s.type] = kMethodHitCount;
    s.itercount = 25000;
    counts.resize(static_cast<std::size_t>(res) * res, 0.0f);
    s.hitcount = counts;
    s.hcres = res;
    s.hitmax = hitmax;
    s.canvas.fill_rect(Rect{0, 0, res, res}, kBack);
    for (int k = 0; k < 256; ++k)
        s.palette[k] = RGB{static_cast<unsigned char>(k), 7, 7};
    return s;
}

// The palette index a pixel was painted with, kBackground, or -2 for neither.
int index_at(const State& s, int i) {
    const Rgb c = s.canvas.get_pixel(i % s.res, i / s.res);
    if (c == kBack) return kBackground;
    for (int k = 1; k < 256; ++k)
        if (palette_color(s.palette, k) == c) return k;
    return -2;
}

enum class Filter { Normalize, Equalize, Log, LogSquare };

int apply(Filter f, State& s) {
    switch (f) {
    case Filter::Normalize:
        return normalize(s);
    case Filter::Equalize:
        return equalize(s);
    case Filter::Log:
        return logplain(s);
    case Filter::LogSquare:
        return logadjust(s);
    }
    return -1;
}

TEST(Filters, PaintEachHitPixelWithItsIndex) {
    struct Case {
        Filter filter;
        int res;
        std::vector<float> counts;
        unsigned hitmax;
        std::vector<int> indices; // of the first pixels
    };
    const std::vector<Case> cases = {
        // 1024 * 100 / 400 = 256, limited to the last entry.
        {Filter::Normalize, 2, {100, 1, 0, 400}, 400, {255, 2, kBackground, 255}},
        {Filter::Equalize, 4, {1, 1, 5}, 5, {1, 1, 128, kBackground}},
        {Filter::Equalize, 2, {0, 3}, 3, {kBackground, 1}}, // a single hit pixel
        // ln 31 / ln 1000 * 255 = 126.77, ln 2 / ln 1000 * 255 = 25.59; ln 1 = 0.
        {Filter::Log, 2, {1000, 31, 2, 1}, 1000, {255, 126, 25, kBackground}},
        {Filter::Log, 2, {500, 3}, 1000, {229, 40}},
        {Filter::LogSquare, 2, {1000, 31, 2, 1}, 1000, {255, 63, 2, kBackground}},
        // Counts raised after hitmax was taken.
        {Filter::Equalize, 2, {1, 2, 7}, 2, {1, 128, 255}},
        {Filter::Normalize, 2, {1, 2, 7}, 2, {kAny, kAny, 255}},
        {Filter::Log, 2, {1, 2, 7}, 2, {kAny, kAny, 255}},
        // A tiny hitmax: 1 paints every hit pixel with the last entry, 0 nothing.
        {Filter::Log, 2, {1, 3}, 0, {kBackground, kBackground}},
        {Filter::Log, 2, {1, 3}, 1, {kBackground, kBackground}},
        {Filter::LogSquare, 2, {1, 3}, 1, {kBackground, kBackground}},
        {Filter::Normalize, 2, {1, 3}, 0, {kBackground, kAny}},
        {Filter::Normalize, 2, {1, 3}, 1, {kPainted, kAny}},
        {Filter::Equalize, 2, {1, 3}, 0, {kAny, kPainted}},
        {Filter::Equalize, 2, {1, 3}, 1, {kAny, kPainted}},
        {Filter::Equalize, 2, {-5, 0.5f, 2}, 2, {}}, // never produced; must not index
    };
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const Case& c = cases[n];
        State s = hit_image(c.res, c.counts, c.hitmax);
        ASSERT_EQ(apply(c.filter, s), kFilterDone) << "case " << n;
        for (std::size_t i = 0; i < c.indices.size(); ++i) {
            const int want = c.indices[i], got = index_at(s, static_cast<int>(i));
            const bool ok = want == kAny || (want == kPainted ? got >= 1 : got == want);
            EXPECT_TRUE(ok) << "case " << n << " pixel " << i << ": " << got << ", not " << want;
        }
        std::vector<float> counts = c.counts; // the filters only paint
        counts.resize(static_cast<std::size_t>(c.res * c.res), 0.0f);
        EXPECT_EQ(s.hitcount, counts) << "case " << n;
        EXPECT_EQ(s.hitmax, c.hitmax) << "case " << n;
    }
}

TEST(Filters, RefuseWithoutDrawingAndNeverChangeTheCounts) {
    struct Case {
        void (*spoil)(State&);
        int expected;
    };
    const Case cases[] = {
        {[](State& s) { s.itercount = 999; }, kFilterTooFewIterations},
        {[](State& s) { s.method[s.type] = kMethodSpeedPoints; }, kFilterNotHitCount},
        {[](State& s) { s.hitcount.clear(); }, kFilterNoBuffer},
        {[](State& s) { // a new size without a new buffer
             set_resolution(s, 3);
             s.canvas.fill_rect(Rect{0, 0, 3, 3}, kBack);
         },
         kFilterNoBuffer},
    };
    for (const Filter f : {Filter::Normalize, Filter::Equalize, Filter::Log, Filter::LogSquare}) {
        for (const Case& c : cases) {
            State s = hit_image(2, {5, 5}, 5);
            c.spoil(s);
            const auto counts = s.hitcount;
            EXPECT_EQ(apply(f, s), c.expected) << static_cast<int>(f);
            EXPECT_EQ(s.canvas.get_pixel(0, 0), kBack) << static_cast<int>(f);
            EXPECT_EQ(s.hitcount, counts);
        }
    }
    State mem = hit_image(2, {5, 5}, 5);
    mem.platform.max_alloc_bytes = 16;
    EXPECT_EQ(equalize(mem), kFilterNoMemory);
    EXPECT_EQ(equalize_in_threads(mem, 3), kFilterNoMemory);
    EXPECT_EQ(mem.canvas.get_pixel(0, 0), kBack);
}

TEST(Filters, PaintTheVisiblePartOfTheWindowToo) {
    State s = hit_image(3, {9, 9, 9, 9, 9, 9, 9, 9, 9}, 9);
    attach_window(s, 2, 5);
    s.window.fill_rect(Rect{0, 0, 2, 5}, kBack);
    normalize(s);
    const Rgb top = palette_color(s.palette, 255);
    EXPECT_EQ(s.window.get_pixel(1, 2), top);
    EXPECT_EQ(s.window.get_pixel(0, 3), kBack); // below the image
    EXPECT_EQ(s.canvas.get_pixel(2, 2), top);
}

// Counts as a long render leaves them: runs of empty pixels, counts spread
// from 1 to about `top` (far beyond a table of one entry per count, and every
// block and tail length the painter uses), and the values a buffer must survive.
std::vector<float> random_counts(int res, unsigned seed, double top) {
    const float odd[] = {-0.0f,
                         0.5f,
                         2.5f,
                         -3.0f,
                         65535.0f,
                         65536.0f,
                         65537.0f,
                         16777216.0f,
                         16777218.0f,
                         3.0e9f,
                         1e-30f,
                         std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN()};
    std::vector<float> v(static_cast<std::size_t>(res) * res);
    for (std::size_t i = 0; i < v.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 8;
        if (i % 700 < 300) continue; // not hit
        const double spread = std::exp2((r % 4096) / 4096.0 * std::log2(top));
        float o = odd[r / 23 % std::size(odd)];
        if (o > top && o < 2147483648.0f) o = 0.0f; // equalize's tables grow with the counts
        v[i] = r % 23 == 0 ? o : static_cast<float>(std::floor(r % 2 == 0 ? r % 300 : spread));
    }
    return v;
}

// The filters as written in the plainest way: the palette index of every pixel.
std::vector<int> reference_indices(Filter f, const std::vector<float>& h, unsigned hitmax) {
    std::vector<int> c(h.size(), 0);
    const double m = hitmax, L = std::log(m);
    for (std::size_t i = 0; i < h.size() && f != Filter::Equalize; ++i) {
        const double lh = std::log(static_cast<double>(h[i]));
        if (f == Filter::Normalize)
            c[i] = trunc32(1024 * static_cast<double>(h[i]) / m);
        else if (h[i] != 0.0f)
            c[i] = f == Filter::Log ? trunc32(lh / L * 255) : trunc32(lh * lh * (255 / (L * L)));
    }
    if (f != Filter::Equalize) return c;
    auto count = [](float v) { return std::max(trunc32(v), 0); };
    int kmax = 0;
    for (float v : h)
        kmax = std::max(kmax, count(v));
    std::vector<unsigned> histogram(kmax + 1), cdf(kmax);
    for (float v : h)
        ++histogram[count(v)];
    for (int i = 0; i < kmax; ++i)
        cdf[i] = (i == 0 ? 0 : cdf[i - 1]) + histogram[i + 1];
    const unsigned cdfmin = *std::find_if(cdf.begin(), cdf.end(), [](unsigned x) { return x; });
    const double total = static_cast<double>(h.size()) - histogram[0] - 1.0;
    for (std::size_t i = 0; i < h.size(); ++i)
        if (const int k = count(h[i]); k > 0)
            c[i] = trunc32(static_cast<double>(cdf[k - 1] - cdfmin) / total * 254) + 1;
    return c;
}

TEST(Filters, WholeImagesMatchTheFormulaPixelByPixel) {
    const struct {
        Filter filter;
        int res;
        unsigned hitmax;
        double top;
    } cases[] = {
        {Filter::Normalize, 37, 299, 299},          {Filter::Log, 37, 299, 299},
        {Filter::Normalize, 203, 70000, 3e7},       {Filter::Log, 203, 70000, 3e7},
        {Filter::Normalize, 203, 4000000000u, 3e7}, {Filter::Log, 203, 4000000000u, 3e7},
        {Filter::LogSquare, 37, 299, 299},          {Filter::LogSquare, 203, 70000, 3e7},
        {Filter::Equalize, 37, 299, 299},           {Filter::Equalize, 203, 70000, 2e6},
    };
    for (const auto& c : cases) {
        State s = hit_image(c.res, random_counts(c.res, c.hitmax, c.top), c.hitmax);
        attach_window(s, 20, 250);
        s.window.take_dirty(); // only what the filter changes
        State want = s;
        ASSERT_EQ(apply(c.filter, s), kFilterDone);
        const std::vector<int> index = reference_indices(c.filter, want.hitcount, c.hitmax);
        for (int i = 0; i < c.res * c.res; ++i)
            if (index[i] > 0)
                drawdot(want, want, i % c.res, i / c.res,
                        palette_color(want.palette, std::min(index[i], 255)));
        for (int y = 0; y < c.res; ++y)
            for (int x = 0; x < c.res; ++x) {
                ASSERT_EQ(s.canvas.get_pixel(x, y), want.canvas.get_pixel(x, y))
                    << static_cast<int>(c.filter) << " " << c.res << ": " << x << "," << y;
                ASSERT_EQ(s.window.get_pixel(x, y), want.window.get_pixel(x, y)) << x << "," << y;
            }
        auto changed = [](Surface& w) {
            const Rect r = w.take_dirty();
            return std::array<int, 4>{r.left, r.top, r.right, r.bottom};
        };
        EXPECT_EQ(changed(s.window), changed(want.window));
    }
}

// Threads count and paint bands of the image: the same pixels and the same
// changed part of the window for any number of them, including more threads
// than blocks of pixels, and counts far above hitmax that grow the band tables.
TEST(Filters, EqualizeGivesTheSamePixelsOnAnyNumberOfThreads) {
    for (const int res : {10, 203}) {
        State one = hit_image(res, random_counts(res, 99, 5e5), 40);
        attach_window(one, 20, 250);
        one.window.take_dirty();
        const State before = one;
        ASSERT_EQ(equalize_in_threads(one, 1), kFilterDone);
        const Rect want = one.window.take_dirty();
        for (const unsigned threads : {2u, 3u, 5u}) {
            State s = before;
            ASSERT_EQ(equalize_in_threads(s, threads), kFilterDone);
            const Rect got = s.window.take_dirty();
            auto same = [](const Surface& a, const Surface& b) {
                const std::size_t bytes = std::size_t{4} * a.width() * a.height();
                return std::memcmp(a.data(), b.data(), bytes) == 0;
            };
            EXPECT_TRUE(same(s.canvas, one.canvas)) << res << " on " << threads;
            EXPECT_TRUE(same(s.window, one.window)) << res << " on " << threads;
            EXPECT_TRUE(got.left == want.left && got.top == want.top && got.right == want.right &&
                        got.bottom == want.bottom);
        }
    }
}

} // namespace
} // namespace morv

#include "color/filters.h"

#include "core/numeric.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace morv {
namespace {

constexpr COLORREF kBack = rgb(255, 245, 230);

// A paused hit-count image of res x res pixels whose counts are `counts`
// (row-major, the rest 0), painted in the background colour.
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
    return s;
}

// The palette index a pixel was painted with, or -1 for the background.
int index_at(const State& s, int i) {
    const COLORREF c = s.canvas.get_pixel(i % s.res, i / s.res);
    if (c == kBack) return -1;
    for (int k = 1; k < 256; ++k)
        if (palette_color(s.palette, k) == c) return k;
    return -2;
}

// Palette entries that all differ from each other and from the background.
void distinct_palette(State& s) {
    for (int k = 0; k < 256; ++k)
        s.palette[k] = RGB{static_cast<unsigned char>(k), 7, 7};
}

TEST(Filters, NormalizeScalesToAQuarterOfTheMaximum) {
    State s = hit_image(2, {100, 1, 0, 400}, 400);
    distinct_palette(s);
    ASSERT_EQ(normalize(s), kFilterDone);
    EXPECT_EQ(index_at(s, 0), 255); // 1024 * 100 / 400 = 256, limited
    EXPECT_EQ(index_at(s, 1), 2);
    EXPECT_EQ(index_at(s, 2), -1);
    EXPECT_EQ(index_at(s, 3), 255);
}

TEST(Filters, EqualizeSpreadsByRank) {
    State s = hit_image(4, {1, 1, 5}, 5);
    distinct_palette(s);
    ASSERT_EQ(equalize(s), kFilterDone);
    EXPECT_EQ(index_at(s, 0), 1);
    EXPECT_EQ(index_at(s, 1), 1);
    EXPECT_EQ(index_at(s, 2), 128);
    EXPECT_EQ(index_at(s, 3), -1);

    State one = hit_image(2, {0, 3}, 3); // a single hit pixel
    distinct_palette(one);
    ASSERT_EQ(equalize(one), kFilterDone);
    EXPECT_EQ(index_at(one, 1), 1);
}

TEST(Filters, LogUsesSquaredLogarithms) {
    State s = hit_image(2, {1000, 31, 2, 1}, 1000);
    distinct_palette(s);
    State again = s;
    ASSERT_EQ(logadjust(s), kFilterDone);
    EXPECT_EQ(index_at(s, 0), 255);
    EXPECT_EQ(index_at(s, 1), 63);
    EXPECT_EQ(index_at(s, 2), 2);
    EXPECT_EQ(index_at(s, 3), -1); // ln 1 = 0
    again.logsquare = 1;
    logadjust(again);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(index_at(again, i), index_at(s, i));
}

TEST(Filters, CountsAboveHitmaxAndTinyHitmaxAreSafe) {
    // Counts raised after hitmax was taken.
    State e = hit_image(2, {1, 2, 7}, 2);
    distinct_palette(e);
    ASSERT_EQ(equalize(e), kFilterDone);
    EXPECT_EQ(index_at(e, 0), 1);
    EXPECT_EQ(index_at(e, 1), 128);
    EXPECT_EQ(index_at(e, 2), 255);
    State n = hit_image(2, {1, 2, 7}, 2);
    ASSERT_EQ(normalize(n), kFilterDone);
    EXPECT_EQ(n.canvas.get_pixel(0, 1), palette_color(n.palette, 255));
    State l = hit_image(2, {1, 2, 7}, 2);
    ASSERT_EQ(logadjust(l), kFilterDone);
    EXPECT_EQ(l.canvas.get_pixel(0, 1), palette_color(l.palette, 255));

    for (unsigned hitmax : {0u, 1u}) {
        State z = hit_image(2, {1, 3}, hitmax);
        EXPECT_EQ(logadjust(z), kFilterDone);
        EXPECT_EQ(index_at(z, 0), -1);
        EXPECT_EQ(index_at(z, 1), -1);
        State nz = hit_image(2, {1, 3}, hitmax);
        EXPECT_EQ(normalize(nz), kFilterDone);
        // hitmax 1 paints every hit pixel with the last entry; 0 paints nothing.
        EXPECT_EQ(index_at(nz, 0) == -1, hitmax == 0);
        State ez = hit_image(2, {1, 3}, hitmax);
        EXPECT_EQ(equalize(ez), kFilterDone);
        EXPECT_NE(index_at(ez, 1), -1);
    }
    State odd = hit_image(2, {-5, 0.5f, 2}, 2); // never produced, must not index
    EXPECT_EQ(equalize(odd), kFilterDone);
}

TEST(Filters, RefuseWithoutDrawingAndNeverChangeTheCounts) {
    State few = hit_image(2, {5, 5}, 5);
    few.itercount = 999;
    EXPECT_EQ(normalize(few), kFilterTooFewIterations);
    EXPECT_EQ(equalize(few), kFilterTooFewIterations);
    EXPECT_EQ(logadjust(few), kFilterTooFewIterations);
    State other = hit_image(2, {5, 5}, 5);
    other.method[other.type] = kMethodSpeedPoints;
    EXPECT_EQ(normalize(other), kFilterNotHitCount);
    EXPECT_EQ(equalize(other), kFilterNotHitCount);
    EXPECT_EQ(logadjust(other), kFilterNotHitCount);
    State none = hit_image(2, {5, 5}, 5);
    none.hitcount.clear();
    EXPECT_EQ(equalize(none), kFilterNoBuffer);
    none = hit_image(2, {5, 5}, 5);
    set_resolution(none, 3); // a new size without a new buffer
    none.canvas.fill_rect(Rect{0, 0, 3, 3}, kBack);
    EXPECT_EQ(normalize(none), kFilterNoBuffer);
    for (const State* s : {&few, &other, &none})
        EXPECT_EQ(s->canvas.get_pixel(0, 0), kBack);

    State mem = hit_image(2, {5, 5}, 5);
    mem.platform.max_alloc_bytes = 16;
    EXPECT_EQ(equalize(mem), kFilterNoMemory);
    EXPECT_EQ(mem.canvas.get_pixel(0, 0), kBack);
    EXPECT_STREQ(filter_result_text(kFilterNoMemory), kEqualizeMemoryText);

    State s = hit_image(2, {5, 3, 1, 0}, 5);
    const auto counts = s.hitcount;
    normalize(s), equalize(s), logadjust(s);
    EXPECT_EQ(s.hitcount, counts);
    EXPECT_EQ(s.hitmax, 5u);
}

TEST(Filters, PaintTheVisiblePartOfTheWindowToo) {
    State s = hit_image(3, {9, 9, 9, 9, 9, 9, 9, 9, 9}, 9);
    attach_window(s, 2, 5);
    s.window.fill_rect(Rect{0, 0, 2, 5}, kBack);
    normalize(s);
    const COLORREF top = palette_color(s.palette, 255);
    EXPECT_EQ(s.window.get_pixel(1, 2), top);
    EXPECT_EQ(s.window.get_pixel(0, 3), kBack); // below the image
    EXPECT_EQ(s.canvas.get_pixel(2, 2), top);
}

// Counts as a long render leaves them, with the values a buffer must survive.
std::vector<float> random_counts(int res, unsigned seed) {
    const float odd[] = {0.0f,
                         -0.0f,
                         1.0f,
                         0.5f,
                         -3.0f,
                         65535.0f,
                         65536.0f,
                         65537.0f,
                         16777216.0f,
                         3.0e9f,
                         1e-30f,
                         std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN()};
    std::vector<float> v(static_cast<std::size_t>(res) * res);
    for (std::size_t i = 0; i < v.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 8;
        v[i] = r % 5 == 0 ? odd[r / 5 % std::size(odd)] : static_cast<float>(r % 300);
    }
    return v;
}

TEST(Filters, WholeImagesMatchTheFormulaPixelByPixel) {
    using IndexOf = int (*)(float, double);
    const struct {
        int (*filter)(State&);
        IndexOf index_of;
    } cases[] = {
        {normalize, [](float h, double m) { return trunc32(1024 * static_cast<double>(h) / m); }},
        {logadjust,
         [](float h, double m) {
             if (h == 0.0f) return 0;
             const double L = std::log(m), lh = std::log(static_cast<double>(h));
             return trunc32(lh * lh * (255 / (L * L)));
         }},
    };
    for (unsigned hitmax : {299u, 70000u, 4000000000u})
        for (const auto& c : cases) {
            const int res = 37;
            State s = hit_image(res, random_counts(res, hitmax), hitmax);
            attach_window(s, 20, 50);
            State want = s;
            c.filter(s);
            for (int i = 0; i < res * res; ++i) {
                const int k = std::min(c.index_of(want.hitcount[i], hitmax), 255);
                if (k > 0) drawdot(want, i % res, i / res, palette_color(want.palette, k));
            }
            for (int y = 0; y < res; ++y)
                for (int x = 0; x < res; ++x) {
                    ASSERT_EQ(s.canvas.get_pixel(x, y), want.canvas.get_pixel(x, y))
                        << x << "," << y;
                    ASSERT_EQ(s.window.get_pixel(x, y), want.window.get_pixel(x, y))
                        << x << "," << y;
                }
            EXPECT_EQ(s.window.take_dirty().right, want.window.take_dirty().right);
        }
}

TEST(Filters, AdvisoryTextsAreExact) {
    EXPECT_STREQ(kNormalizeAdvisoryText,
                 "The normalization filter will be applied.\n\nThe best results often will be "
                 "obtained if\n   the image is 'overdeveloped'.\n\nThe image will disappear if you "
                 "resume\n   rendering after the filter is applied.\n   Therefore, if you want to "
                 "save the\n   filtered image, do so immediately.");
    EXPECT_STREQ(kLogAdvisoryText,
                 "The hit count will be adjusted with a\n   logarithmic transformation "
                 "filter.\n\nUsing the squares of the logarithms will\n   shift the palette "
                 "indices toward the\n   lower end of the palette.\n\nThe best results often will "
                 "be obtained if\n   the image is 'overdeveloped'.\n\nThe image will disappear if "
                 "you resume\n   rendering after the filter is applied.\n   Therefore, if you "
                 "want to save the\n   filtered image, do so immediately.");
}

} // namespace
} // namespace morv

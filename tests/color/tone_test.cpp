// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/tone.h"

#include "core/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace morv {
namespace {

// A side x side density whose samples are all empty but those given.
struct Hit {
    std::size_t at;
    std::uint64_t n;
    LinearRGB colour; // of every hit
};
std::vector<DensityCell> density_of(int side, std::initializer_list<Hit> hits) {
    std::vector<DensityCell> cells(static_cast<std::size_t>(side) * side);
    for (const Hit& h : hits) {
        const double n = static_cast<double>(h.n);
        cells[h.at] = {h.n, n * h.colour[0], n * h.colour[1], n * h.colour[2]};
    }
    return cells;
}

FilteredDensity plain(const std::vector<DensityCell>& cells, int side) {
    FilteredDensity d;
    EXPECT_TRUE(downsample(cells, side, ReconstructionFilter{}, d));
    return d;
}

// The tone curve written out as docs/tone-mapping.md gives it, for one pixel.
std::array<double, 4> reference(const DensityCell& c, double nmax, const ToneSettings& t) {
    const double bg[3] = {red_of(t.background) / 255.0, green_of(t.background) / 255.0,
                          blue_of(t.background) / 255.0};
    const double top = t.depth == 16 ? 65535 : 255;
    auto curve = [&](double x) {
        if (x <= 0) return 0.0;
        if (x >= t.gamma_threshold) return std::pow(x, 1 / t.gamma);
        return x / t.gamma_threshold * std::pow(t.gamma_threshold, 1 / t.gamma);
    };
    std::array<double, 4> out{};
    double alpha = 0, rgb[3]{};
    if (c.n > 0) {
        const double n = static_cast<double>(c.n), k = 1 / t.contrast;
        const double a = t.exposure * std::log(1 + k * n) / std::log(1 + k * nmax);
        const double mean[3] = {c.r / n, c.g / n, c.b / n};
        for (int i = 0; i < 3; ++i)
            rgb[i] = t.vibrancy * linear_to_srgb(mean[i]) * curve(a) +
                     (1 - t.vibrancy) * curve(a * mean[i]);
        alpha = std::min(curve(a), 1.0);
    }
    for (int i = 0; i < 3; ++i) {
        const double v = t.transparent ? (alpha > 0 ? rgb[i] / alpha : 0)
                                       : std::min(rgb[i], 1.0) + (1 - alpha) * bg[i];
        out[i] = std::clamp(v, 0.0, 1.0) * top;
    }
    out[3] = t.transparent ? alpha * top : top;
    return out;
}

TEST(Tone, HandMadeDensitiesMatchTheCurvePixelByPixel) {
    const LinearRGB warm{srgb_to_linear(200 / 255.0), srgb_to_linear(100 / 255.0), 0.0};
    const LinearRGB grey{0.2, 0.2, 0.2};
    const std::uint64_t big = (std::uint64_t{1} << 33) + 7; // past 2^32
    const std::vector<std::vector<DensityCell>> densities = {
        density_of(3, {}),                                                     // empty
        density_of(3, {{4, 1, warm}}),                                         // one hit
        density_of(3, {{0, big, grey}, {1, 1, warm}, {8, 4000000000u, warm}}), // huge counts
        density_of(3, {{0, 3, grey}, {2, 30, warm}, {5, 300, grey}, {7, 2, warm}}),
    };
    std::vector<ToneSettings> settings(7);
    settings[0].background = rgb(255, 245, 230);
    settings[1].exposure = 2.5;
    settings[1].gamma = 1;
    settings[2].vibrancy = 0;
    settings[2].gamma_threshold = 0.3;
    settings[3].vibrancy = 0.5;
    settings[3].contrast = 50;
    settings[3].depth = 16;
    settings[4].transparent = true;
    settings[4].depth = 16;
    settings[5].exposure = 0.3;
    settings[5].gamma = 4;
    settings[5].gamma_threshold = 0;
    settings[6].contrast = 0.01;
    settings[6].transparent = true;
    for (std::size_t di = 0; di < densities.size(); ++di) {
        const FilteredDensity d = plain(densities[di], 3);
        for (std::size_t si = 0; si < settings.size(); ++si) {
            TonedImage img;
            ASSERT_TRUE(tone(d, settings[si], img));
            ASSERT_EQ(img.side, 3);
            for (std::size_t p = 0; p < 9; ++p) {
                const auto want = reference(densities[di][p], d.nmax, settings[si]);
                for (int ch = 0; ch < 4; ++ch)
                    EXPECT_NEAR(img.rgba[p * 4 + ch], want[ch], 0.5 + 1e-9)
                        << "density " << di << " settings " << si << " pixel " << p << " ch " << ch;
            }
        }
    }
}

// Values worked out by hand: an empty pixel is the background (or nothing),
// the densest pixel at exposure 1 is its colour exactly, and a pixel hit once
// beside one hit 2^33 times shows log 2 / log(1 + 2^33) of the brightness.
TEST(Tone, KnownValues) {
    const LinearRGB warm{srgb_to_linear(200 / 255.0), srgb_to_linear(100 / 255.0), 0.0};
    const auto cells = density_of(2, {{0, 5, warm}, {3, 1, warm}});
    ToneSettings t;
    t.background = rgb(10, 20, 30);
    TonedImage img;
    ASSERT_TRUE(tone(plain(cells, 2), t, img));
    EXPECT_EQ(img.color_at(0, 0), rgb(200, 100, 0));
    EXPECT_EQ(img.color_at(1, 0), rgb(10, 20, 30));
    t.transparent = true;
    ASSERT_TRUE(tone(plain(cells, 2), t, img));
    EXPECT_EQ(std::vector<std::uint16_t>(img.rgba.begin() + 4, img.rgba.begin() + 8),
              (std::vector<std::uint16_t>{0, 0, 0, 0}));
    EXPECT_EQ(img.rgba[3], 255);

    const std::uint64_t big = std::uint64_t{1} << 33;
    const auto huge = density_of(2, {{0, big, {1, 1, 1}}, {1, 1, {1, 1, 1}}});
    t = ToneSettings{};
    t.gamma = 1;
    t.depth = 16;
    ASSERT_TRUE(tone(plain(huge, 2), t, img));
    EXPECT_EQ(img.rgba[0], 65535);
    // log(2) / log(1 + 2^33) = 0.0303030...; times 65535 = 1985.9
    EXPECT_EQ(img.rgba[4], 1986);
}

// Every step of the tone curve spelled out once per pixel, in the order of
// its operations, so that any shortcut the toning takes must give exactly
// these values.
std::array<std::uint16_t, 4> exact_pixel(const ToneCell& c, double nmax, const ToneSettings& t) {
    const double k = 1 / t.contrast, log_top = std::log1p(k * nmax);
    const double inv_log_top = log_top > 0 ? 1 / log_top : 0, inv_gamma = 1 / t.gamma;
    const double slope = t.gamma_threshold > 0 ? std::pow(t.gamma_threshold, inv_gamma - 1) : 0;
    auto curve = [&](double x) {
        if (!(x > 0)) return 0.0;
        return x < t.gamma_threshold ? x * slope : std::pow(x, inv_gamma);
    };
    const double top = t.depth == 16 ? 65535 : 255;
    auto quantize = [&](double v) {
        return static_cast<std::uint16_t>(trunc32(std::clamp(v, 0.0, 1.0) * top + 0.5));
    };
    double rgb[3]{}, alpha = 0;
    if (c.n > 0) {
        const double a = t.exposure * std::log1p(k * c.n) * inv_log_top;
        const double shown = curve(a);
        const double mean[3] = {c.r / c.n, c.g / c.n, c.b / c.n};
        for (int i = 0; i < 3; ++i) {
            const double m = std::clamp(mean[i], 0.0, 1.0);
            rgb[i] = t.vibrancy * linear_to_srgb(m) * shown;
            if (t.vibrancy < 1) rgb[i] += (1 - t.vibrancy) * curve(a * m);
        }
        alpha = std::min(shown, 1.0);
    }
    const double bg[3] = {red_of(t.background) / 255.0, green_of(t.background) / 255.0,
                          blue_of(t.background) / 255.0};
    std::array<std::uint16_t, 4> out{};
    for (int i = 0; i < 3; ++i)
        out[i] = quantize(t.transparent ? (alpha > 0 ? rgb[i] / alpha : 0)
                                        : std::min(rgb[i], 1.0) + (1 - alpha) * bg[i]);
    out[3] = t.transparent ? quantize(alpha) : static_cast<std::uint16_t>(top);
    return out;
}

// Random densities (empty, small whole, large and past 2^32 counts, filtered
// counts) toned with and without the cache, on one thread and several, as
// 16-bit values and as the screen's words: every value is the spelled-out one.
TEST(Tone, EveryPathGivesTheSpelledOutPixels) {
    std::mt19937_64 random(21);
    const int side = 61;
    std::vector<DensityCell> cells(static_cast<std::size_t>(side) * side);
    for (DensityCell& c : cells) {
        const std::uint64_t kind = random() % 8;
        const std::uint64_t n = kind < 3   ? 0
                                : kind < 6 ? 1 + random() % 300
                                : kind < 7 ? 3000 + random() % 3000
                                           : (std::uint64_t{1} << 32) + random() % 100000;
        const double nd = static_cast<double>(n);
        c = {n, nd * (random() % 1000) / 999.0, nd * (random() % 1000) / 999.0,
             nd * (random() % 7) / 6.0};
    }
    std::vector<ToneSettings> settings(5);
    settings[1].exposure = 1.7;
    settings[1].gamma = 3.1;
    settings[1].background = rgb(40, 90, 200);
    settings[2].vibrancy = 0.4;
    settings[2].gamma_threshold = 0.2;
    settings[2].contrast = 30;
    settings[3].transparent = true;
    settings[3].depth = 16;
    settings[4].gamma = 0.7;
    settings[4].gamma_threshold = 0;
    settings[4].depth = 16;
    for (const int s : {1, 3}) {
        FilteredDensity d;
        ASSERT_TRUE(downsample(cells, side, {s, 2.5}, d));
        ToneCache cache; // reused over every setting, as a slider moving
        for (std::size_t si = 0; si < settings.size(); ++si) {
            const ToneSettings& t = settings[si];
            TonedImage plain_img, cached, threaded;
            ASSERT_TRUE(tone(d, t, plain_img));
            ASSERT_TRUE(tone(d, t, cached, 1, &cache));
            ASSERT_TRUE(tone(d, t, threaded, 3, &cache));
            std::vector<std::uint32_t> words(d.cells.size());
            ToneSettings screen = t;
            screen.transparent = false;
            screen.depth = 8;
            ASSERT_TRUE(tone_words(d, screen, words, 2, &cache));
            for (std::size_t i = 0; i < d.cells.size(); ++i) {
                const auto want = exact_pixel(d.cells[i], d.nmax, t);
                for (const TonedImage* img : {&plain_img, &cached, &threaded})
                    ASSERT_TRUE(std::equal(want.begin(), want.end(), &img->rgba[i * 4]))
                        << "S " << s << " settings " << si << " pixel " << i;
                const auto w = exact_pixel(d.cells[i], d.nmax, screen);
                ASSERT_EQ(words[i], 0xFF000000u | w[0] << 16 | w[1] << 8 | w[2])
                    << "S " << s << " settings " << si << " pixel " << i;
            }
        }
    }
}

TEST(Resample, OneSamplePerPixelIsThePlainDensity) {
    const auto cells = density_of(5, {{0, 3, {0.1, 0.2, 0.3}}, {24, 1ull << 40, {1, 0, 0}}});
    FilteredDensity d;
    ASSERT_TRUE(downsample(cells, 5, ReconstructionFilter{1, 5.0}, d));
    ASSERT_EQ(d.side, 5);
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(d.cells[i],
                  (ToneCell{static_cast<double>(cells[i].n), cells[i].r, cells[i].g, cells[i].b}))
            << i;
    EXPECT_EQ(d.nmax, static_cast<double>(1ull << 40));
}

// An even density keeps its level (S x S samples per pixel) away from the
// edges, hits at a pixel's centre spread alike in every direction, and the
// threads change nothing.
TEST(Resample, GaussianKeepsLevelsAndMass) {
    for (const int s : {2, 3, 4}) {
        const int side = 12 * s;
        std::vector<DensityCell> even(static_cast<std::size_t>(side) * side, {3, 0.3, 0.3, 0.3});
        FilteredDensity d;
        ASSERT_TRUE(downsample(even, side, ReconstructionFilter{s, 3.0}, d));
        ASSERT_EQ(d.side, 12);
        EXPECT_NEAR(d.cells[5 * 12 + 6].n, 3.0 * s * s, 1e-9) << s;
        EXPECT_LT(d.cells[0].n, 3.0 * s * s); // the edge: nothing beyond it

        // The samples nearest the centre of pixel (6, 6), alike.
        std::vector<DensityCell> centre(even.size());
        const int lo = 6 * s + (s - 1) / 2, hi = 6 * s + s / 2;
        for (int y = lo; y <= hi; ++y)
            for (int x = lo; x <= hi; ++x)
                centre[static_cast<std::size_t>(y) * side + x] = {1000, 100, 0, 0};
        FilteredDensity a, b;
        ASSERT_TRUE(downsample(centre, side, ReconstructionFilter{s, 3.0}, a, 1));
        ASSERT_TRUE(downsample(centre, side, ReconstructionFilter{s, 3.0}, b, 3));
        EXPECT_TRUE(a.cells == b.cells);
        auto n = [&a](int x, int y) { return a.cells[static_cast<std::size_t>(y) * 12 + x].n; };
        EXPECT_GT(n(6, 6), n(5, 6));
        for (const auto& [x, y] : {std::pair{7, 6}, {6, 5}, {6, 7}})
            EXPECT_NEAR(n(x, y), n(5, 6), 1e-9) << s << ": " << x << "," << y;
        EXPECT_NEAR(n(5, 5), n(7, 7), 1e-9) << s;
        EXPECT_EQ(n(3, 6), 0.0) << s; // beyond the filter's reach
    }
}

} // namespace
} // namespace morv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/tone.h"

#include "color/bands.h"
#include "core/numeric.h"
#include "core/params.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace morv {

namespace {

constexpr std::uint16_t kPastTable = ToneCache::kPastTable;
constexpr std::size_t kBlock = ToneCache::kBlock;
constexpr double kNoColour[3] = {0, 0, 0}; // what an empty pixel's brightness multiplies

// What every pixel shares, worked out once.
struct Curve {
    double k = 1, inv_log_top = 0, exposure = 1, inv_gamma = 1 / 2.2, threshold = 0,
           below_slope = 1, vibrancy = 1;
    double bg[3]{};
    double top = 255;
    bool transparent = false;

    Curve(const FilteredDensity& d, const ToneSettings& t) {
        k = 1 / t.contrast;
        const double log_top = std::log1p(k * d.nmax);
        inv_log_top = log_top > 0 ? 1 / log_top : 0;
        exposure = t.exposure;
        inv_gamma = 1 / t.gamma;
        threshold = t.gamma_threshold;
        // The straight line below the threshold meets the curve there.
        below_slope = threshold > 0 ? std::pow(threshold, inv_gamma - 1) : 0;
        vibrancy = t.vibrancy;
        bg[0] = red_of(t.background) / 255.0;
        bg[1] = green_of(t.background) / 255.0;
        bg[2] = blue_of(t.background) / 255.0;
        top = t.depth == 16 ? 65535 : 255;
        transparent = t.transparent;
    }

    double gamma_curve(double x) const {
        if (!(x > 0)) return 0;
        return x < threshold ? x * below_slope : std::pow(x, inv_gamma);
    }

    std::uint16_t quantize(double v) const {
        v = std::clamp(v, 0.0, 1.0);
        return static_cast<std::uint16_t>(trunc32(v * top + 0.5));
    }

    double log_density(double n) const { return exposure * std::log1p(k * n) * inv_log_top; }

    // The brightness of a pixel of count n.
    double shown(double n) const { return gamma_curve(log_density(n)); }

    // The values of a pixel of brightness `shown` whose colour's sRGB form
    // is `srgb`, with vibrancy 1 (the gamma on brightness only), transparent
    // or not. An empty pixel, of brightness 0 and colour 0, comes out as the
    // background.
    template <bool kTransparent>
    void bright_pixel(double shown, const double* srgb, std::uint16_t* out) const {
        const double alpha = std::min(shown, 1.0);
        for (int i = 0; i < 3; ++i) {
            const double v = srgb[i] * shown;
            if constexpr (kTransparent)
                out[i] = quantize(alpha > 0 ? v / alpha : 0);
            else
                out[i] = quantize(std::min(v, 1.0) + (1 - alpha) * bg[i]);
        }
        out[3] = kTransparent ? quantize(alpha) : static_cast<std::uint16_t>(top);
    }

    // A pixel of count c.n whose brightness is `shown` and the sRGB values
    // of whose mean colour are in `srgb` (worked out here when null).
    void pixel(const ToneCell& c, double shown, const double* srgb, std::uint16_t* out) const {
        double rgb[3]{}, alpha = 0;
        if (c.n > 0) {
            const double a = vibrancy < 1 ? log_density(c.n) : 0.0;
            const double mean[3] = {c.r / c.n, c.g / c.n, c.b / c.n};
            for (int i = 0; i < 3; ++i) {
                const double m = std::clamp(mean[i], 0.0, 1.0);
                const double s = srgb != nullptr ? srgb[i] : linear_to_srgb(m);
                rgb[i] = vibrancy * s * shown +
                         (vibrancy < 1 ? (1 - vibrancy) * gamma_curve(a * m) : 0.0);
            }
            alpha = std::min(shown, 1.0);
        }
        for (int i = 0; i < 3; ++i) {
            if (transparent)
                rgb[i] = alpha > 0 ? rgb[i] / alpha : 0;
            else
                rgb[i] = std::min(rgb[i], 1.0) + (1 - alpha) * bg[i];
            out[i] = quantize(rgb[i]);
        }
        out[3] = transparent ? quantize(alpha) : static_cast<std::uint16_t>(top);
    }
};

// 0 for an empty pixel, the count for a small whole one, else kPastTable.
std::uint16_t key_of(double n) {
    if (!(n > 0)) return 0;
    return n < kPastTable && n == std::floor(n) ? static_cast<std::uint16_t>(trunc32(n))
                                                : kPastTable;
}

void srgb_of_mean(const ToneCell& c, double* out) {
    const double mean[3] = {c.r / c.n, c.g / c.n, c.b / c.n};
    for (int ch = 0; ch < 3; ++ch)
        out[ch] = linear_to_srgb(std::clamp(mean[ch], 0.0, 1.0));
}

// The keys, the count of lit pixels before each block and their colours'
// sRGB form; false (the cache empty) when the memory cannot be had.
bool fill_cache(const FilteredDensity& d, std::size_t cells, unsigned threads, ToneCache& c) {
    const std::size_t blocks = (cells + kBlock - 1) / kBlock;
    try {
        c.key.resize(cells);
        c.lit_before.assign(blocks + 1, 0);
        for_bands(cells, threads, kBlock, [&](unsigned, std::size_t first, std::size_t count) {
            for (std::size_t i = first; i < first + count; ++i) {
                c.key[i] = key_of(d.cells[i].n);
                c.lit_before[i / kBlock + 1] += c.key[i] != 0;
            }
        });
        for (std::size_t b = 0; b < blocks; ++b)
            c.lit_before[b + 1] += c.lit_before[b];
        c.srgb.assign((c.lit_before[blocks] + 1) * 3, 0.0);
    } catch (const std::bad_alloc&) {
        c.clear();
        return false;
    }
    for_bands(cells, threads, kBlock, [&](unsigned, std::size_t first, std::size_t count) {
        double* srgb = &c.srgb[c.lit_before[first / kBlock] * 3];
        for (std::size_t i = first; i < first + count; ++i)
            if (c.key[i] != 0) {
                srgb_of_mean(d.cells[i], srgb);
                srgb += 3;
            }
    });
    return true;
}

// Pixels [first, first + count) with vibrancy 1 from the cache: each needs
// only its key and its colour (the filtered density's count only past the
// table), with no branch on whether it is lit.
template <bool kTransparent, class Put>
void bright_run(const FilteredDensity& d, const Curve& curve, const ToneCache& cache,
                std::size_t first, std::size_t count, const Put& put) {
    const double* by_key = cache.by_key.data();
    const std::uint16_t* keys = cache.key.data();
    const double* srgb = &cache.srgb[cache.lit_before[first / kBlock] * 3];
    std::uint16_t v[4];
    for (std::size_t i = first; i < first + count; ++i) {
        const std::uint16_t key = keys[i];
        const double shown = key < kPastTable ? by_key[key] : curve.shown(d.cells[i].n);
        curve.bright_pixel<kTransparent>(shown, key != 0 ? srgb : kNoColour, v);
        srgb += key != 0 ? 3 : 0;
        put(i, v);
    }
}

// Tones pixels [0, cells) of `d`, handing each one's four values to
// put(pixel, values).
template <class Put>
void tone_pixels(const FilteredDensity& d, const Curve& curve, std::size_t cells, unsigned threads,
                 ToneCache* cache, const Put& put) {
    std::vector<double> local;
    std::vector<double>& by_key = cache != nullptr ? cache->by_key : local;
    by_key.resize(kPastTable);
    for (std::size_t n = 0; n < by_key.size(); ++n)
        by_key[n] = curve.shown(static_cast<double>(n));
    std::uint16_t empty[4];
    curve.pixel(ToneCell{}, 0, nullptr, empty);
    const bool bright = cache != nullptr && curve.vibrancy == 1.0;
    for_bands(cells, threads, kBlock, [&](unsigned, std::size_t first, std::size_t count) {
        if (bright && curve.transparent)
            return bright_run<true>(d, curve, *cache, first, count, put);
        if (bright) return bright_run<false>(d, curve, *cache, first, count, put);
        const double* srgb =
            cache != nullptr ? &cache->srgb[cache->lit_before[first / kBlock] * 3] : nullptr;
        std::uint16_t v[4];
        for (std::size_t i = first; i < first + count; ++i) {
            const ToneCell& c = d.cells[i];
            const std::uint16_t key = key_of(c.n);
            if (key == 0) {
                put(i, empty);
                continue;
            }
            curve.pixel(c, key < kPastTable ? by_key[key] : curve.shown(c.n), srgb, v);
            if (srgb != nullptr) srgb += 3;
            put(i, v);
        }
    });
}

// Tones `pixels` pixels (at most the density's) through `put`, filling the
// cache first when it is not yet for this density.
template <class Put>
void tone_with(const FilteredDensity& d, const ToneSettings& t, std::size_t pixels,
               unsigned threads, ToneCache* cache, const Put& put) {
    const std::size_t cells = std::min(pixels, d.cells.size());
    if (cache != nullptr && !cache->ready_for(cells) && !fill_cache(d, cells, threads, *cache))
        cache = nullptr; // toned without it
    tone_pixels(d, Curve(d, t), cells, threads, cache, put);
}

} // namespace

Rgb TonedImage::color_at(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * side + x) * 4;
    auto eight = [&](int i) { return depth == 16 ? rgba[at + i] >> 8 : rgba[at + i]; };
    return rgb(eight(0), eight(1), eight(2));
}

bool tone(const FilteredDensity& d, const ToneSettings& t, TonedImage& out, unsigned threads,
          ToneCache* cache) {
    const std::size_t n = static_cast<std::size_t>(d.side) * static_cast<std::size_t>(d.side);
    try {
        out.rgba.resize(n * 4);
    } catch (const std::bad_alloc&) {
        out = TonedImage{};
        return false;
    }
    out.side = d.side;
    out.depth = t.depth == 16 ? 16 : 8;
    out.transparent = t.transparent;
    std::uint16_t* rgba = out.rgba.data();
    tone_with(d, t, n, threads, cache,
              [rgba](std::size_t i, const std::uint16_t* v) { std::copy(v, v + 4, rgba + i * 4); });
    return true;
}

bool tone_words(const FilteredDensity& d, const ToneSettings& t, std::span<std::uint32_t> out,
                unsigned threads, ToneCache* cache) {
    ToneSettings eight = t;
    eight.depth = 8;
    std::uint32_t* words = out.data();
    tone_with(d, eight, out.size(), threads, cache, [words](std::size_t i, const std::uint16_t* v) {
        words[i] = static_cast<std::uint32_t>(v[3]) << 24 | static_cast<std::uint32_t>(v[0]) << 16 |
                   static_cast<std::uint32_t>(v[1]) << 8 | v[2];
    });
    return true;
}

ToneSettings tone_settings_of(const Params& ps) {
    const PictureSettings& p = ps.picture;
    ToneSettings t;
    t.exposure = p.exposure;
    t.gamma = p.gamma;
    t.gamma_threshold = p.gamma_threshold;
    t.vibrancy = p.vibrancy;
    t.contrast = p.contrast;
    t.background = ps.back;
    t.transparent = p.alpha != 0;
    t.depth = p.depth;
    return t;
}

} // namespace morv

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

constexpr double kCountTable = 4096; // counts whose brightness is worked out once

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

    // A pixel of count c.n whose brightness is `shown` (the gamma curve of its
    // log-density) and the sRGB values of whose mean colour are in `srgb`
    // (worked out here when null).
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

} // namespace

COLORREF TonedImage::color_at(int x, int y) const {
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
    const Curve curve(d, t);
    // An empty pixel's value is the same everywhere: worked out once.
    std::uint16_t empty[4];
    curve.pixel(ToneCell{}, 0, nullptr, empty);
    // Most pixels of an unfiltered density share a few small counts: their
    // brightness is worked out once per count.
    std::vector<double> by_count(
        static_cast<std::size_t>(trunc32(std::clamp(d.nmax, 0.0, kCountTable - 1.0))) + 1);
    for (std::size_t i = 0; i < by_count.size(); ++i)
        by_count[i] = curve.gamma_curve(curve.log_density(static_cast<double>(i)));
    const std::size_t cells = std::min(n, d.cells.size());
    const bool fill = cache != nullptr && cache->srgb.size() != cells * 3;
    if (fill) {
        try {
            cache->srgb.assign(cells * 3, 0.0);
        } catch (const std::bad_alloc&) {
            cache->srgb.clear();
            cache = nullptr; // toned without it
        }
    }
    for_bands(cells, threads, 1024, [&](unsigned, std::size_t first, std::size_t count) {
        for (std::size_t i = first; i < first + count; ++i) {
            const ToneCell& c = d.cells[i];
            std::uint16_t* px = &out.rgba[i * 4];
            if (!(c.n > 0)) {
                std::copy(empty, empty + 4, px);
                continue;
            }
            const double shown =
                c.n < static_cast<double>(by_count.size()) && c.n == std::floor(c.n)
                    ? by_count[static_cast<std::size_t>(trunc32(c.n))]
                    : curve.gamma_curve(curve.log_density(c.n));
            double* srgb = cache != nullptr ? &cache->srgb[i * 3] : nullptr;
            if (fill) {
                const double mean[3] = {c.r / c.n, c.g / c.n, c.b / c.n};
                for (int ch = 0; ch < 3; ++ch)
                    srgb[ch] = linear_to_srgb(std::clamp(mean[ch], 0.0, 1.0));
            }
            curve.pixel(c, shown, srgb, px);
        }
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

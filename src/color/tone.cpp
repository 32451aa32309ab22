// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/tone.h"

#include "color/bands.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace morv {

namespace {

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

    void pixel(const ToneCell& c, std::uint16_t* out) const {
        double rgb[3]{}, alpha = 0;
        if (c.n > 0) {
            const double a = exposure * std::log1p(k * c.n) * inv_log_top;
            const double shown = gamma_curve(a);
            const double mean[3] = {c.r / c.n, c.g / c.n, c.b / c.n};
            for (int i = 0; i < 3; ++i) {
                const double m = std::clamp(mean[i], 0.0, 1.0);
                rgb[i] = vibrancy * linear_to_srgb(m) * shown +
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

bool tone(const FilteredDensity& d, const ToneSettings& t, TonedImage& out, unsigned threads) {
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
    curve.pixel(ToneCell{}, empty);
    for_bands(std::min(n, d.cells.size()), threads, 1024,
              [&](unsigned, std::size_t first, std::size_t count) {
                  for (std::size_t i = first; i < first + count; ++i) {
                      std::uint16_t* px = &out.rgba[i * 4];
                      if (d.cells[i].n > 0)
                          curve.pixel(d.cells[i], px);
                      else
                          std::copy(empty, empty + 4, px);
                  }
              });
    return true;
}

} // namespace morv

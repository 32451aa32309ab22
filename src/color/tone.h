// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "color/resample.h"
#include "core/types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morv {

struct Params;

// How a density becomes pixels; docs/tone-mapping.md has the formulas.
struct ToneSettings {
    double exposure = 1.0;         // brightness: scales the log-density
    double gamma = 2.2;            // the brightness curve's exponent is 1 / gamma
    double gamma_threshold = 0.01; // below it the curve is a straight line
    double vibrancy = 1.0;         // 1: gamma on brightness only; 0: on each channel
    double contrast = 1.0;         // the count where the log curve bends
    Rgb background = 0;
    bool transparent = false; // alpha instead of the background
    int depth = 8;            // bits per channel: 8 or 16
    bool operator==(const ToneSettings&) const = default;
};

// A toned picture: side x side pixels of red, green, blue and alpha, each
// 0..255 (depth 8) or 0..65535 (depth 16). Opaque pictures have alpha at
// its top everywhere.
struct TonedImage {
    int side = 0;
    int depth = 8;
    bool transparent = false;
    std::vector<std::uint16_t> rgba;

    // Pixel (x, y) as a colour, each channel reduced to 8 bits.
    Rgb color_at(int x, int y) const;
};

// What no tone setting changes, kept between tonings of the same filtered
// density (a slider moving) and cleared whenever the density changes: per
// pixel a key, 0 when empty, the count itself for the small whole counts
// most pixels have (their brightness is worked out once per count), and
// kPastTable for the others; and the sRGB form of the mean colour of each
// pixel that is not empty, in pixel order, which spares the most costly part
// of the work.
struct ToneCache {
    static constexpr std::uint16_t kPastTable = 4096;
    static constexpr std::size_t kBlock = 1024; // pixels per entry of lit_before
    std::vector<std::uint16_t> key;
    std::vector<double> srgb;            // three a lit pixel, and three spare
    std::vector<std::size_t> lit_before; // lit pixels before each block
    std::vector<double> by_key;          // the brightness of each small count

    bool ready_for(std::size_t pixels) const { return key.size() == pixels && pixels > 0; }
    void clear() {
        key.clear();
        srgb.clear();
        lit_before.clear();
    }
};

// Tones every pixel of `d`; false when the memory cannot be had. Changes
// nothing but `out` (and `cache`), so the same density can be toned again at
// any time; with a cache the pixels are the same, only sooner.
bool tone(const FilteredDensity& d, const ToneSettings& t, TonedImage& out, unsigned threads = 1,
          ToneCache* cache = nullptr);

// The same pixels as 0xAARRGGBB words at 8 bits per channel (`t.depth` is
// not read), the screen's form, for `out` of one word per pixel of `d`.
bool tone_words(const FilteredDensity& d, const ToneSettings& t, std::span<std::uint32_t> out,
                unsigned threads = 1, ToneCache* cache = nullptr);

// The tone curve, background and output depth of the parameters' picture
// settings.
ToneSettings tone_settings_of(const Params& ps);

} // namespace morv
